// The library's reading of the print settings file "KESTROst.ini" (keys and
// defaults: shared_formats/print_settings_file.h). The library never writes it.
#pragma once
#include <cstdint>

#include "jobport_readers/profile_reader.h"
#include "shared_formats/print_settings_file.h"

// "PrintAfterReceivedAllData" of section "Velora Config" (default 0). With
// no settings file path (the settings folder is unknown) the default.
int32_t ReadPrintAfterReceivedAllData(const char* settingFile, ProfileReader& profile);

// The seven keys of section "Print Setting", each reduced to its low 8 bits;
// absent keys take the defaults 4, 0, 1, 0, 0, 1, 0, as does every key when
// there is no settings file path.
void ReadPrintSetting(const char* settingFile, PrintSettings& settings, ProfileReader& profile);
