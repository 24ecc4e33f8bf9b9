// The printer store: the printer chosen at OK, its device mode and device
// names are kept in the data folder (printer slots, printer_slots.h) and in
// section "Printer Infomation" of the print settings file, and the next
// start selects that printer again with that device mode.
#pragma once
#include <string>

#include "framework/print_setup_dialog_win32.h"

// The FileVersion text of the printer's driver file; empty when the file
// has no version resource. A printer or driver that cannot be looked up
// throws CAppException with the system's text.
std::string GetDriverVersion(const std::string& printerName);

// Run while the settings dialog is built, after it has selected the
// default printer. Throws "NoPrinterMsg" when the user has no printer.
// Puts the stored printer with its stored device mode, merged into the
// driver's current one, into the dialog's record. A stored printer that is
// not one of the user's printers (local or the user's connections) or
// cannot be opened is forgotten ("DeletePrinterMsg"); one whose driver
// changed, or whose device-mode file is larger than 64 KiB, damaged, names
// another printer or is refused by the driver, gets its current device mode
// stored and used ("DifferentPrinterVersion"). A stored device-mode file
// that cannot be read throws CFileException.
void LoadStoredPrinter(CPrintSetupDialog& dialog);

// Run at OK: stores the dialog's printer, device mode and device names in
// the printer's slot and records it as the selected printer.
void SaveSelectedPrinter(CPrintSetupDialog& dialog);
