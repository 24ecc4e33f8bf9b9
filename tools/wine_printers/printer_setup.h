// Printers of the Wine prefix on Wine's PostScript driver: install the
// driver with its PPD, add, remove and list printers, pick the default.
// Every function reports a failure as false with a readable reason.
#pragma once
#include <string>
#include <vector>

namespace wine_printers {

// The driver every printer added here uses.
extern const char kPostScriptDriver[];

struct PrinterEntry {
    std::string name;
    std::string port;
    std::string driver;
};

// Writes the PPD that Wine carries in winspool.drv into the driver folder
// (<printer driver directory>\3\generic.ppd) and registers the driver.
// Does nothing that is already done.
bool InstallPostScriptDriver(std::string& error);

// Adds printer `name` on `port` with the given driver (the PostScript driver,
// installed first, when `driver` is empty), replacing a printer of that name.
// A port that is a Unix file path makes Wine write each job there as PostScript;
// "FILE:" asks for a file name when printing.
bool AddPrinterOnPort(const std::string& name, const std::string& port, std::string& error,
                const std::string& driver = std::string());

// Deletes printer `name`; true also when there is no such printer.
bool RemovePrinter(const std::string& name, std::string& error);

// Deletes every local printer.
bool RemoveAllPrinters(std::string& error);

// Makes `name` the default printer.
bool MakeDefaultPrinter(const std::string& name, std::string& error);

// The default printer's name; empty when there is none.
std::string DefaultPrinterName();

// Every local printer.
bool ListPrinters(std::vector<PrinterEntry>& printers, std::string& error);

}  // namespace wine_printers
