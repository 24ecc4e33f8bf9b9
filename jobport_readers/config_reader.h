// Reading of the library's configuration file "KESTRO.cfg": limits,
// switches and texts into the configuration record, and the registry key
// and value names of the installation's folders.
#pragma once
#include <cstddef>
#include <cstdint>

#include "config_record.h"
#include "profile_reader.h"
#include "shared_formats/print_settings_file.h"

// The sections of "KESTRO.cfg". "Velora Config" is also the print settings
// file's section of "PrintAfterReceivedAllData".
constexpr const char* kCfgConfigSection = kVeloraConfigSection;
constexpr char kCfgMessageSection[] = "Velora Message for Dialog";
constexpr char kCfgSpoolSection[] = "Spool Information";  // also the launcher's keys
constexpr char kCfgRegistrySection[] = "Registry for Velora";

// A limit as stored: compared as unsigned, so a negative number is above
// every maximum and becomes the maximum; 0 becomes 1.
uint32_t ClampLimit(int32_t value, uint32_t maximum);

// The launcher time-out as stored: 0 means no limit (all bits set); any
// other number is taken as unsigned milliseconds.
uint32_t ChildTimeOutValue(int32_t value);

// Fills every field of record except PrintAfterReceivedAllData from
// sections "Velora Config", "Velora Message for Dialog" and "Spool
// Information"; absent or overlong values take their defaults.
void ReadConfig(const char* cfgPath, ConfigRecord& record, ProfileReader& profile);

// "SubRoot\Manufacturer\ProductFamily\ProductName" from section "Registry
// for Velora". False (out empty) when the joined key does not fit out.
bool MakeSubKey(const char* cfgPath, ProfileReader& profile, char* out, size_t size);

// Names of the registry values that hold the installation's folders.
struct RegistryValueNames {
    char installDir[kPathBufferSize];  // "Value4instal"
    char logDir[kPathBufferSize];      // "Value4Log"
    char iniDir[kPathBufferSize];      // "Value4ini"
    char dataDir[kPathBufferSize];     // "Value4data"
};

void ReadRegistryValueNames(const char* cfgPath, ProfileReader& profile,
                            RegistryValueNames& names);
