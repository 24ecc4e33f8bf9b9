#include "printer_slot_files.h"

std::string DevModeFileName(int slot) { return DevModeKey(slot) + kSlotFileSuffix; }
std::string DevNamesFileName(int slot)
{
    return kDevNamesFilePrefix + std::to_string(slot) + kSlotFileSuffix;
}
std::string DevModeKey(int slot) { return kDevModeFilePrefix + std::to_string(slot); }
std::string VersionKey(int slot) { return "version" + std::to_string(slot); }
