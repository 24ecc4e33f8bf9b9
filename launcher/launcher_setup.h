// What the launcher takes from the installation: the texts of "KESTRO.cfg"
// and, through the registry key and value names it gives, the folder of the
// print settings file "KESTROst.ini" (and the stored device modes beside it),
// the folder of the library's debug log, where the launcher log goes, and
// the library's data folder, the only folder the launcher takes pages from.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "jobport_readers/profile_reader.h"
#include "jobport_readers/registry_reader.h"

struct LauncherSetup {
    std::string settingsFolder;  // no trailing "\"; empty when unknown
    std::string logFolder;       // no trailing "\"; empty when unknown
    std::string dataFolder;      // "<System Directory>\Data"; empty when unknown
    std::string cannotPrintTitle;
    std::string cannotPrintMessage;
    std::string documentName;    // set in the file: the first words of every document's name
    std::string printGuardName;  // from "Tessary.cfg" (ReadPrintGuardName); empty: no guard
    uint32_t printGuardWaitMs = 0;  // how long a busy print guard is waited for
    std::vector<std::string> notes;  // what was missing, for the log

    // settingsFolder + "\KESTROst.ini"; empty when the folder is unknown.
    std::string SettingsFile() const;
};

// Reads "KESTRO.cfg" at cfgPath (its absent keys give the library's defaults:
// box caption "CannotPrintTitle", box text "CannotPrintMsg"; from section
// "Spool Information" the name "FileName", empty when the file sets none,
// and the launcher's own key "PrintGuardWaitMs", the bound of the wait for
// the print guard), then the
// values named by "Value4ini", "Value4Log" and "Value4data" of section
// "Registry for Velora" from the key it names below HKEY_LOCAL_MACHINE. Each
// value is read on its own: a missing log folder does not hide the settings
// folder. A data folder value that is not an absolute path counts as missing.
LauncherSetup ReadLauncherSetup(const std::string& cfgPath, ProfileReader& profile,
                                RegistryReader& registry);
