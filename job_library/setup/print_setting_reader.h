// The library's reading of the print settings file "KESTROst.ini". The
// library never writes it.
#pragma once
#include <cstddef>
#include <cstdint>

#include "jobs/print_settings.h"
#include "profile_reader.h"

// One number of the settings file: where it is, what the library takes when
// it is absent, and the values the settings program and the library give a
// meaning (the library itself reads any number; Setup refuses a settings
// file that holds another one).
struct PrintSettingKey {
    const char* section;
    const char* key;
    int32_t libraryDefault;
    int32_t lowest;
    int32_t highest;
};

// "PrintAfterReceivedAllData" of section "Velora Config", then the seven
// keys of section "Print Setting" in the order of PrintSettings.
extern const PrintSettingKey kPrintSettingKeys[];
extern const size_t kPrintSettingKeyCount;

// "PrintAfterReceivedAllData" of section "Velora Config" (default 0). With
// no settings file path (the settings folder is unknown) the default.
int32_t ReadPrintAfterReceivedAllData(const char* settingFile, ProfileReader& profile);

// The seven keys of section "Print Setting", each reduced to its low 8 bits;
// absent keys take the defaults 4, 0, 1, 0, 0, 1, 0, as does every key when
// there is no settings file path.
void ReadPrintSetting(const char* settingFile, PrintSettings& settings, ProfileReader& profile);
