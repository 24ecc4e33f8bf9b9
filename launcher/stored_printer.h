// The printer chosen in the settings program, as it leaves it for the other
// programs of the system: its name and slot in section "Printer Infomation"
// of "KESTROst.ini", and its device mode in "devmode<slot>.bin" beside it.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

#include "setup/profile_reader.h"

struct StoredPrinter {
    std::string name;  // empty: none chosen
    int32_t slot = 0;
};

// "SelectPrinterName" and "SelectPrinterNo" of the settings file at path.
StoredPrinter ReadStoredPrinter(const char* settingsFile, ProfileReader& profile);

// A number as the settings program reads it: leading blanks, an optional
// sign and the digits up to the first other character; 0 when there are none.
int32_t PlainDecimal(const std::string& text);

// "devmode<slot>.bin" in folder (which has no trailing "\").
std::string DevModeFilePath(const std::string& folder, int32_t slot);

// How much of a stored device mode can be handed to the driver. The file
// holds the public part (dmSize bytes, the 16-bit field at byte 36) and the
// driver's private part (dmDriverExtra bytes, the field at byte 38); a file
// may be shorter than its header says.
struct StoredDevModeParts {
    bool usable = false;      // false: the file is too short or its header impossible
    size_t publicSize = 0;    // dmSize
    size_t privateSize = 0;   // dmDriverExtra, or 0 when the file does not hold all of it
};

StoredDevModeParts InspectStoredDevMode(const uint8_t* data, size_t size);
