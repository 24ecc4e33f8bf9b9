#include "printer_state.h"

namespace wine_printers {

namespace {

const PrinterEntry* Find(const std::vector<PrinterEntry>& printers, const std::string& name)
{
    for (const PrinterEntry& printer : printers) {
        if (printer.name == name)
            return &printer;
    }
    return nullptr;
}

}  // namespace

PrinterState SavePrinterState()
{
    PrinterState state;
    std::string error;
    ListPrinters(state.printers, error);
    state.defaultPrinter = DefaultPrinterName();
    return state;
}

bool RestorePrinterState(const PrinterState& state, std::string& error)
{
    std::vector<PrinterEntry> now;
    if (!ListPrinters(now, error))
        return false;
    bool ok = true;
    for (const PrinterEntry& printer : now) {
        if (!Find(state.printers, printer.name))
            ok = RemovePrinter(printer.name, error) && ok;
    }
    for (const PrinterEntry& saved : state.printers) {
        const PrinterEntry* current = Find(now, saved.name);
        if (current && current->port == saved.port && current->driver == saved.driver)
            continue;
        const std::string driver = saved.driver == kPostScriptDriver ? std::string() : saved.driver;
        ok = AddPrinterOnPort(saved.name, saved.port, error, driver) && ok;
    }
    if (!state.defaultPrinter.empty() && DefaultPrinterName() != state.defaultPrinter)
        ok = MakeDefaultPrinter(state.defaultPrinter, error) && ok;
    return ok;
}

}  // namespace wine_printers
