// The printer the settings program stores for the other programs, in section
// "Printer Infomation" of the print settings file: the chosen printer's name
// and slot, and for every printer slot N its keys and its two files beside
// the settings file. The settings program writes all of them; the launcher
// reads the chosen printer and its device mode; Setup may install them.
#pragma once
#include <string>

constexpr char kPrinterSection[] = "Printer Infomation";
constexpr char kSelectPrinterNameKey[] = "SelectPrinterName";
constexpr char kSelectPrinterNoKey[] = "SelectPrinterNo";

// Slot N's files are prefix + N + suffix.
constexpr char kDevModeFilePrefix[] = "devmode";
constexpr char kDevNamesFilePrefix[] = "devname";
constexpr char kSlotFileSuffix[] = ".bin";

// Names of slot N's files and keys; N in decimal without leading zeros.
std::string DevModeFileName(int slot);   // "devmode<N>.bin": its device mode
std::string DevNamesFileName(int slot);  // "devname<N>.bin": its DEVNAMES block
std::string DevModeKey(int slot);        // "devmode<N>": its printer's name, empty when freed
std::string VersionKey(int slot);        // "version<N>": its driver's version text
