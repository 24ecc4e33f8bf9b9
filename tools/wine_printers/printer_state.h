// The printers of the prefix and its default, saved so that a test can put
// them back after changing them.
#pragma once
#include <string>
#include <vector>

#include "printer_setup.h"

namespace wine_printers {

struct PrinterState {
    std::vector<PrinterEntry> printers;
    std::string defaultPrinter;
};

PrinterState SavePrinterState();

// Removes printers that were not there, adds back those that were (on their
// port and driver) and makes the saved default the default again.
bool RestorePrinterState(const PrinterState& state, std::string& error);

// Saves the state when constructed and restores it when destroyed.
class ScopedPrinterState {
public:
    ScopedPrinterState() : m_saved(SavePrinterState()) {}
    ~ScopedPrinterState()
    {
        std::string error;
        RestorePrinterState(m_saved, error);
    }
    ScopedPrinterState(const ScopedPrinterState&) = delete;
    ScopedPrinterState& operator=(const ScopedPrinterState&) = delete;

    const PrinterState& Saved() const { return m_saved; }

private:
    PrinterState m_saved;
};

}  // namespace wine_printers
