#include "printer_slot_files.h"

std::string DevModeFileName(int slot) { return "devmode" + std::to_string(slot) + ".bin"; }
std::string DevNamesFileName(int slot) { return "devname" + std::to_string(slot) + ".bin"; }
std::string DevModeKey(int slot) { return "devmode" + std::to_string(slot); }
std::string VersionKey(int slot) { return "version" + std::to_string(slot); }
