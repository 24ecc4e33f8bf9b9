// The printer a group goes to and the device mode it is printed with.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "launcher_setup.h"

struct ChosenPrinter {
    std::string name;
    std::vector<uint8_t> devMode;  // a DEVMODEA for CreateDC; empty: the driver's defaults
};

// The printer chosen in the settings program ("SelectPrinterName" of
// "KESTROst.ini") with its device mode from "devmode<SelectPrinterNo>.bin",
// merged into the driver's current device mode so that a stale or foreign
// private part never reaches the driver. The default printer with its own
// defaults when none is chosen, the settings folder is unknown, or the chosen
// printer cannot be opened (it is gone); a device-mode file that is missing
// or damaged also leaves the printer's defaults. In every case copies are set
// to 1 and collation off: the launcher draws every copy itself, in the order
// the job asks for. False, with the reason, when there is no printer to use.
bool ChoosePrinter(const LauncherSetup& setup, ChosenPrinter& chosen, std::string& reason);
