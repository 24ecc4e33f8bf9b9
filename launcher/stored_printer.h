// The printer chosen in the settings program, as it leaves it for the other
// programs of the system: its name and slot in section "Printer Infomation"
// of "KESTROst.ini", and its device mode in "devmode<slot>.bin" beside it.
#pragma once
#include <cstdint>
#include <string>

#include "jobport_readers/profile_reader.h"
// The number, printer-name and device-mode formats, shared with the
// settings program.
#include "shared_formats/plain_decimal.h"
#include "shared_formats/printer_names.h"
#include "shared_formats/printer_slot_files.h"
#include "shared_formats/stored_devmode.h"

struct StoredPrinter {
    std::string name;  // empty: none chosen
    int32_t slot = 0;
};

// "SelectPrinterName" and "SelectPrinterNo" of the settings file at path.
StoredPrinter ReadStoredPrinter(const char* settingsFile, ProfileReader& profile);

// "devmode<slot>.bin" in folder (which has no trailing "\").
std::string DevModeFilePath(const std::string& folder, int32_t slot);
