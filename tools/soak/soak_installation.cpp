#include "soak_installation.h"

#include <windows.h>

#include <cstdio>
#include <functional>

#include "full_path_win32.h"
#include "jobport_readers/config_reader.h"
#include "printer_setup.h"
#include "shared_formats/installation_files.h"
#include "test_folders.h"

namespace {

const char kProductKey[] = "SOFTWARE\\TRVX\\Corvane-Suite\\Quillmate";
const char kPrinterName[] = "JP soak printer";
// Nothing is printed: a port that is not "FILE:" is all the printer check asks for.
const char kHarmlessPort[] = "/dev/null";
// In KB: the smallest ring that still holds a few dozen lines, so that it
// wraps every few pages.
const char kLogSizeLimitKb[] = "8";

std::string ProgramFolder()
{
    const std::string program = ThisProgramPath();
    return program.substr(0, program.find_last_of('\\'));
}

bool WriteProfile(const std::string& file, const char* section, const char* key, const char* value)
{
    return WritePrivateProfileStringA(section, key, value, file.c_str()) != FALSE;
}

}  // namespace

SoakInstallation::SoakInstallation(const std::string& rootFolder, unsigned host)
    : root(rootFolder), m_host(host)
{
    hostDir = root + "\\host";
    installDir = root + "\\Quill mate";  // a blank, as in "Program Files"
    settingsDir = root + "\\settings";
    systemDir = root + "\\system";
    dataDir = systemDir + "\\Data";
    logDir = root + "\\logs";
    tempDir = root + "\\temp";
    settingsFile = settingsDir + "\\" + kSettingFileName;
    logFile = logDir + "\\" + kDebugLogFileName;
    const std::string number = host > 1 ? " " + std::to_string(host) : std::string();
    pagesDir = hostDir + "\\pages" + number;
    recordFile = root + "\\launcher record" + number + ".txt";
    if (!(host > 1 ? Join() : Build()) && m_failure.empty())
        m_failure = "the installation could not be set up";
}

SoakInstallation::~SoakInstallation()
{
    m_currentDir.reset();
    m_environment.reset();
    if (m_host > 1)
        return;  // host 1 takes the installation away
    m_key.reset();
    // Tests that run after the soak in the same prefix choose their own
    // printers; ours must not stay behind as the default.
    std::string error;
    if (!RemoveDefaultPrinter(error))
        std::fprintf(stderr, "soak: %s\n", error.c_str());
    if (!m_keep)
        RemoveTree(root);
}

std::string SoakInstallation::SharedObjectName(const char* what) const
{
    std::string lower = root;
    for (char& c : lower)
        c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    return std::string("jp_soak_") + what + "_" + std::to_string(std::hash<std::string>()(lower));
}

bool SoakInstallation::Ready(std::string& reason) const
{
    reason = m_failure;
    return m_failure.empty();
}

bool SoakInstallation::MakeFolders(const std::vector<const std::string*>& folders)
{
    for (const std::string* folder : folders) {
        if (!CreateDirectoryA(folder->c_str(), nullptr)) {
            m_failure = "cannot create " + *folder;
            return false;
        }
    }
    return true;
}

// This process's environment, which its launcher inherits: the shared
// temporary folder and its own record file.
bool SoakInstallation::SetEnvironment()
{
    m_environment.reset(new ScopedEnvironment);
    m_environment->Set("TMP", tempDir.c_str());
    m_environment->Set("TEMP", tempDir.c_str());
    m_environment->Set("KESTRO_DOUBLE_RECORD", recordFile.c_str());
    for (const char* option : {"KESTRO_DOUBLE_START_DELAY_MS", "KESTRO_DOUBLE_WINDOW_DELAY_MS",
                               "KESTRO_DOUBLE_NO_WINDOW", "KESTRO_DOUBLE_DELETE_PRINTED",
                               "KESTRO_DOUBLE_PRINT_LIMIT"})
        m_environment->Set(option, nullptr);
    // Printed groups are deleted by the soak, which checks each file; the
    // double ends when the library tells it to.
    m_environment->Set("KESTRO_DOUBLE_EXIT_ON_DELETE", "1");
    m_currentDir.reset(new ScopedCurrentDirectory(hostDir));
    if (!m_currentDir->Changed()) {
        m_failure = "cannot make " + hostDir + " the current folder";
        return false;
    }
    return true;
}

bool SoakInstallation::Join()
{
    for (const std::string* folder : {&hostDir, &systemDir, &tempDir, &installDir}) {
        if (GetFileAttributesA(folder->c_str()) == INVALID_FILE_ATTRIBUTES) {
            m_failure = "no installation to join: " + *folder + " is missing";
            return false;
        }
    }
    RemoveTree(pagesDir);
    return MakeFolders({&pagesDir}) && SetEnvironment();
}

bool SoakInstallation::Build()
{
    m_printers.reset(new wine_printers::ScopedPrinterState);
    RemoveTree(root);
    if (!MakeFolders({&root, &hostDir, &pagesDir, &installDir, &settingsDir, &systemDir, &logDir, &tempDir}))
        return false;
    if (!CopyFileA((ProgramFolder() + "\\kestro_double.exe").c_str(),
                   (installDir + "\\KESTRO.EXE").c_str(), FALSE)) {
        m_failure = "cannot copy kestro_double.exe beside the soak into " + installDir;
        return false;
    }

    m_key.reset(new ScopedRegistryKey(kProductKey));
    if (!m_key->Ready() || !m_key->SetString("Debug Log Path", logDir) ||
        !m_key->SetString("Directory Path", installDir) ||
        !m_key->SetString("Setting Path", settingsDir) ||
        !m_key->SetString("System Directory", systemDir)) {
        m_failure = "cannot set the product's registry values";
        return false;
    }

    const std::string cfg = hostDir + "\\" + kCfgFileName;
    const bool cfgWritten =
        WriteProfile(cfg, kCfgConfigSection, "ChildTimeOut", "20000") &&
        WriteProfile(cfg, kCfgConfigSection, "JobLimit", "99") &&
        WriteProfile(cfg, kCfgConfigSection, "CopiesLimit", "999") &&
        WriteProfile(cfg, kCfgConfigSection, "PagesLimit", "999") &&
        WriteProfile(cfg, kCfgConfigSection, "LogSizeLimit", kLogSizeLimitKb) &&
        WriteProfile(cfg, kCfgConfigSection, "b2ndJobPrintbyMethod", "1") &&
        WriteProfile(cfg, kCfgConfigSection, "RemainScanedDataOnPC", "0") &&
        WriteProfile(cfg, kCfgConfigSection, "DoNotPrintOutIfPortIsFILE", "1") &&
        WriteProfile(cfg, kCfgConfigSection, "DoNotPrintOutIfPrnIsNOTAVAILABLE", "1") &&
        WriteProfile(cfg, kCfgMessageSection, "CannotPrintTitle", "Soak cannot print") &&
        WriteProfile(cfg, kCfgMessageSection, "CannotPrintMsg", "general") &&
        WriteProfile(cfg, kCfgMessageSection, "CannotPrintMsg_1", "port FILE:") &&
        WriteProfile(cfg, kCfgMessageSection, "CannotPrintMsg_2", "printer not available");
    if (!cfgWritten) {
        m_failure = "cannot write " + cfg;
        return false;
    }

    // Ours is the only printer, so that removing it leaves no default.
    std::string error;
    if (!wine_printers::RemoveAllPrinters(error) || !AddDefaultPrinter(error)) {
        m_failure = error;
        return false;
    }
    return SetEnvironment();
}

bool SoakInstallation::AddDefaultPrinter(std::string& error) const
{
    return wine_printers::AddPrinterOnPort(kPrinterName, kHarmlessPort, error) &&
           wine_printers::MakeDefaultPrinter(kPrinterName, error);
}

bool SoakInstallation::RemoveDefaultPrinter(std::string& error) const
{
    return wine_printers::RemovePrinter(kPrinterName, error);
}
