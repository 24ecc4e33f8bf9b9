#include "launcher_setup.h"

#include <memory>

#include "ansi_paths/ansi_path_normal.h"
#include "jobport_readers/ansi_code_page.h"
#include "jobport_readers/config_reader.h"
#include "jobport_readers/config_record.h"
#include "jobport_readers/profile_reader.h"
#include "print_guard_setup.h"
#include "shared_formats/installation_files.h"

namespace {

// A folder ending in a double-byte character whose trail byte is 0x5C keeps
// that byte.
std::string WithoutTrailingSeparator(const std::string& folder)
{
    return folder.substr(
        0, LengthWithoutTrailingSeparators(folder, kBackslashOrSlash, AnsiLeadByteTest()));
}

}  // namespace

std::string LauncherSetup::SettingsFile() const
{
    return settingsFolder.empty() ? std::string() : settingsFolder + "\\" + kSettingFileName;
}

LauncherSetup ReadLauncherSetup(const std::string& cfgPath, ProfileReader& profile,
                                RegistryReader& registry)
{
    LauncherSetup setup;
    if (cfgPath.empty())
        setup.notes.push_back("no configuration file on the command line: defaults used");

    ConfigRecord config = {};
    ReadConfig(cfgPath.c_str(), config, profile);
    setup.cannotPrintTitle = config.CannotPrintTitle;
    setup.cannotPrintMessage = config.CannotPrintMsg;
    // The library's default for this key, which it never uses, is no name
    // anyone chose: only a name set in the file goes into the print queue.
    char documentName[kPathBufferSize];
    ReadProfileText(profile, cfgPath.c_str(), kCfgSpoolSection, "FileName", "", documentName,
                    sizeof documentName);
    setup.documentName = documentName;
    setup.printGuardWaitMs = ReadPrintGuardWaitMs(cfgPath.c_str(), profile);

    char subKey[kPathBufferSize];
    RegistryValueNames names;
    if (!MakeSubKey(cfgPath.c_str(), profile, subKey, sizeof subKey)) {
        setup.notes.push_back("the registry key named in the configuration file is too long");
        return setup;
    }
    ReadRegistryValueNames(cfgPath.c_str(), profile, names);
    std::unique_ptr<RegistryKey> key = registry.OpenKey(subKey);
    if (!key) {
        setup.notes.push_back(std::string("registry key HKLM\\") + subKey + " cannot be opened");
        return setup;
    }
    char folder[kPathBufferSize];
    if (ReadRegistryText(*key, names.iniDir, folder, sizeof folder) && folder[0] != '\0')
        setup.settingsFolder = WithoutTrailingSeparator(folder);
    else
        setup.notes.push_back(std::string("registry value \"") + names.iniDir + "\" cannot be read");
    if (ReadRegistryText(*key, names.logDir, folder, sizeof folder) && folder[0] != '\0')
        setup.logFolder = WithoutTrailingSeparator(folder);
    else
        setup.notes.push_back(std::string("registry value \"") + names.logDir + "\" cannot be read");
    std::string normal;
    if (!ReadRegistryText(*key, names.dataDir, folder, sizeof folder) || folder[0] == '\0')
        setup.notes.push_back(std::string("registry value \"") + names.dataDir +
                              "\" cannot be read: no page can be printed");
    else if (!NormalisePath(folder, AnsiLeadByteTest(), normal))
        setup.notes.push_back(std::string("registry value \"") + names.dataDir + "\" (" + folder +
                              ") is not an absolute folder: no page can be printed");
    else
        setup.dataFolder = WithoutTrailingSeparator(folder) + "\\" + kDataFolderName;
    key->Close();
    return setup;
}
