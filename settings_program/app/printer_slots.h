// Printer slots. Every printer the settings program has stored owns a small
// number N that ties the keys "devmode<N>" (its name; empty for a freed
// slot) and "version<N>" (its driver's version text) of section
// "Printer Infomation" to the files "devmode<N>.bin" (its device mode) and
// "devname<N>.bin" (its device names) in the data folder (names:
// shared_formats/printer_slot_files.h). These are the rules around the slots
// that need no system calls.
#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "shared_formats/printer_slot_files.h"
#include "shared_formats/stored_devmode.h"

// GetSetting("Printer Infomation", key, def).
using PrinterInfoLookup =
    std::function<std::string(const std::string& key, const std::string& def)>;

// The default the slot search passes for "devmode<N>": the one byte 0xFF,
// which the lookup returns only for an absent key, so that an absent key
// can be told from an emptied one.
extern const char kAbsentSlotKey[];

// The slot printerName is saved in: its own slot when a "devmode<N>" key
// holds its name; else the lowest emptied slot; else the first N whose key
// is absent. The search ends at the first absent key: slots after a gap are
// never looked at.
int ChoosePrinterSlot(const std::string& printerName, const PrinterInfoLookup& lookup);

// Bytes of the in-memory device mode (a block of blockSize bytes) that are
// saved: dmSize + dmDriverExtra as a 16-bit sum, but never more than the
// block holds; 0 when the block is too small for the header.
size_t DevModeSaveLength(const uint8_t* devMode, size_t blockSize);

// Whether the stored device mode is dropped for the printer's current one:
// the driver's version text changed, its private part changed size, or the
// stored file is not complete (InspectStoredDevMode: empty, too large, cut
// short, out of bounds or another printer's).
bool DriverChanged(const std::string& savedVersion, const std::string& currentVersion,
                   const StoredDevModeParts& stored, uint16_t currentDriverExtra);
