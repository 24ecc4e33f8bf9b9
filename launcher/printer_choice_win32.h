// The printer a group goes to and the device mode it is printed with.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "stored_choice.h"

struct ChosenPrinter {
    std::string name;
    std::vector<uint8_t> devMode;  // a DEVMODEA for CreateDC; empty: the driver's defaults
    bool twoSided = false;         // the device mode asks for both sides and the printer can
};

// The printer chosen in the settings program, as read from its store
// (StoredChoiceReader), when it is one of the user's own printers (local or
// a connection the user made), with the stored device mode merged into the
// driver's current one so that a stale or foreign private part never
// reaches the driver. The default printer with its own defaults when none
// is chosen, the chosen one is not among the user's printers (it is never
// opened then) or cannot be opened (it is gone). A device mode that is
// missing, larger than 64 KiB or damaged leaves the printer's defaults; one
// that names another printer or whose private part is cut, too large or of
// another size than the driver's gives only its public settings. In every case
// copies are set to 1 and collation off: the launcher draws every copy
// itself, in the order the job asks for. Two-sided printing is kept as the
// device mode asks for it, and counts only when the printer can print both
// sides (a device mode asking for it on a printer that cannot is logged).
// False, with the reason, when there is no printer to use.
bool ChoosePrinter(const StoredChoice& stored, ChosenPrinter& chosen, std::string& reason);
