// The printer a group goes to and the device mode it is printed with.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "stored_choice.h"

struct ChosenPrinter {
    std::string name;
    std::vector<uint8_t> devMode;  // a DEVMODEA for CreateDC; empty: the driver's defaults
};

// The printer chosen in the settings program, as read from its store
// (StoredChoiceReader), with the stored device mode merged into the driver's
// current one so that a stale or foreign private part never reaches the
// driver. The default printer with its own defaults when none is chosen or
// the chosen printer cannot be opened (it is gone); a device mode that is
// missing or damaged also leaves the printer's defaults. In every case
// copies are set to 1 and collation off: the launcher draws every copy
// itself, in the order the job asks for. False, with the reason, when there
// is no printer to use.
bool ChoosePrinter(const StoredChoice& stored, ChosenPrinter& chosen, std::string& reason);
