// Printer names as the settings program stores them ("SelectPrinterName",
// dmDeviceName of a stored device mode) against the names of the printers
// the user has. The settings file lies in a folder every user can write: a
// stored name is used only when it is one of the user's own printers, so a
// name such as "\\host\share" that the user never connected to is never
// opened (opening it would send the user's credentials to that host).
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "ansi_paths/ansi_path_split.h"  // LeadByteTest

// True when a and b are the same name as the system compares printer
// names: ASCII letters in either case; every other byte, and both bytes of
// a double-byte character, as they are.
bool SamePrinterName(std::string_view a, std::string_view b, LeadByteTest isLeadByte);

// The entry of listed (the user's printers, as the system lists them) that
// stored names, whole; null when none does or stored is empty.
const std::string* FindListedPrinter(std::string_view stored, const std::vector<std::string>& listed,
                                     LeadByteTest isLeadByte);

// True when the dmDeviceName field at the start of a device mode (32
// bytes, at least that many at field) names printerName: the whole name
// with its ending zero, or, for a name too long for the field, the name
// cut to fit (the last double-byte character may be dropped, the zero may
// be missing). An empty field or one that is not ended inside the field
// while the name would have fit names no printer.
bool DeviceNameFieldNames(const uint8_t* field, std::string_view printerName,
                          LeadByteTest isLeadByte);
