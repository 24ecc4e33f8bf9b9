#include "library_init.h"

#include <cstdio>
#include <set>
#include <string>

#include "cfg_file.h"
#include "clog_file.h"
#include "data_folder.h"
#include "folder_values.h"
#include "install_folders.h"
#include "jobport_readers/bounded_text.h"
#include "jobport_readers/config_reader.h"
#include "jobs/job_engine.h"
#include "jobs/waiting_handoff_files.h"
#include "library_config.h"
#include "log_record.h"
#include "print_setting_reader.h"
#include "shared_formats/installation_files.h"

namespace {

bool gReady = false;
// Set by the first successful InitLibrary: from then on the jobs and the
// launcher outlive a later JP_init, which only starts the ids at 1 again.
bool gEverReady = false;

// Number of the start line and of the closing OK/NG line.
const int32_t kInitLineNumber = 1020;

// Points the debug log at logDir + "\" (into withSeparator). Without a
// usable folder the log has no path: its lines are lost rather than
// written to some other folder.
void PointLogAt(const char* logDir, char* withSeparator, size_t size)
{
    if (logDir[0] == '\0' || !WithTrailingSeparator(withSeparator, size, logDir))
        withSeparator[0] = '\0';
    gLog.SetLogDir(withSeparator);
    gLog.MakeLogPath();
}

void TakeFolders(const FolderValues& folders)
{
    CopyText(gInstallDir, sizeof gInstallDir, folders.installDir);
    CopyText(gIniDir, sizeof gIniDir, folders.iniDir);
    CopyText(gDataDir, sizeof gDataDir, folders.dataDir);
    // Without a settings folder there is no settings file: the defaults
    // apply instead of a file of the same name somewhere else.
    if (gIniDir[0] == '\0' ||
        !JoinPath(gSettingFile, sizeof gSettingFile, gIniDir, kSettingFileName))
        gSettingFile[0] = '\0';
}

// The log keeps at most 269 characters of a line, so a longer text may be
// cut here already.
bool WriteLabelled(int32_t number, const char* label, const char* value)
{
    char line[kLogRecordSize];
    std::snprintf(line, sizeof line, "%s%s", label, value ? value : "");
    return gLog.WriteLog(number, line);
}

// Creates both log files when missing and writes the five start lines.
// False when the first line cannot be written.
bool WriteStartLines(const char* caller, const char* logDir, FileSystem& files)
{
    if (gLog.LogPath()[0] != '\0')
        files.CreateIfMissing(gLog.LogPath());
    char errorLog[kPathBufferSize];
    if (logDir[0] != '\0' && JoinPath(errorLog, sizeof errorLog, logDir, kErrorLogFileName))
        files.CreateIfMissing(errorLog);

    char line[kLogRecordSize];
    std::snprintf(line, sizeof line, "------------------------------JP_Init(%s) was Called",
                  caller ? caller : "");
    if (!gLog.WriteLog(kInitLineNumber, line))
        return false;
    WriteLabelled(0, "  SubKey:", gSubKey);
    WriteLabelled(0, "  ini file path:", gIniDir);
    WriteLabelled(0, "  exe file path:", gInstallDir);
    WriteLabelled(0, "  log file path:", logDir);
    return true;
}

// Empties the data folder but for the pages open jobs hold and those the
// hand-off files waiting for a launcher name.
void EmptyDataFolderKeepingWantedPages(FileSystem& files)
{
    std::set<std::string> held;
    for (const std::string& path : HeldPages())
        held.insert(PathKey(path));
    char temp[kPathBufferSize];
    if (!files.TempFolder(temp, sizeof temp))
        temp[0] = '\0';
    EmptyDataFolder(gDataDir, files, held, temp);
}

int32_t InitLibraryOnce(const char* caller, const SetupPlatform& platform)
{
    // A JP_init after a successful one keeps open jobs and the launcher:
    // pages handed over or waiting belong to them.
    if (gEverReady)
        RestartJobIds();
    else
        ResetJobState();
    gLog.SetLogFileName(kDebugLogFileName);
    gLog.SaveLastError(0);

    char cfgPath[kPathBufferSize];
    if (!FindCfgFile(cfgPath, sizeof cfgPath, kCfgFileName, platform.files))
        return 0;
    ReadConfig(cfgPath, gConfig, platform.profile);
    gLog.SetSizeLimit(static_cast<int32_t>(gConfig.LogSizeLimit));

    // The file may have gone while it was read.
    if (!FindCfgFile(cfgPath, sizeof cfgPath, kCfgFileName, platform.files))
        return 0;
    // A key that does not fit its buffer cannot be opened.
    if (!MakeSubKey(cfgPath, platform.profile, gSubKey, sizeof gSubKey))
        return 0;
    RegistryValueNames names;
    ReadRegistryValueNames(cfgPath, platform.profile, names);

    FolderValues folders;
    const FolderKeyResult key = ReadFolderValues(platform.registry, platform.files, gSubKey, names, folders);
    if (key == FolderKeyResult::NotOpened)
        return 0;
    int32_t result = key == FolderKeyResult::Closed ? 1 : 0;

    char logDir[kPathBufferSize];
    PointLogAt(folders.logDir, logDir, sizeof logDir);
    TakeFolders(folders);

    gConfig.PrintAfterReceivedAllData =
        ReadPrintAfterReceivedAllData(gSettingFile, platform.profile);

    if (gDataDir[0] != '\0')
        EmptyDataFolderKeepingWantedPages(platform.files);

    // A missing value leaves the library usable, but announces nothing.
    if (result == 1 && folders.AllRead() && !WriteStartLines(caller, logDir, platform.files))
        result = 0;

    gLog.WriteLog(kInitLineNumber, result == 1 ? " OK JP_Init" : " NG JP_Init");
    return result;
}

}  // namespace

bool LibraryIsReady() { return gReady; }

void ResetLibraryAsLoaded()
{
    gReady = false;
    gEverReady = false;
    ResetJobState();
}

int32_t InitLibrary(const char* caller, const SetupPlatform& platform)
{
    // Not ready while it runs, nor after it failed or threw.
    gReady = false;
    const int32_t result = InitLibraryOnce(caller, platform);
    gReady = result == 1;
    gEverReady = gEverReady || gReady;
    return result;
}
