// Printer slots. Every printer the settings program has stored owns a small
// number N that ties the keys "devmode<N>" (its name; empty for a freed
// slot) and "version<N>" (its driver's version text) of section
// "Printer Infomation" to the files "devmode<N>.bin" (its device mode) and
// "devname<N>.bin" (its device names) in the data folder. These are the
// rules around the slots that need no system calls.
#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "stored_files/stored_devmode.h"

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

// Names of a slot's files and keys; N in decimal without leading zeros.
std::string DevModeFileName(int slot);   // "devmode<N>.bin"
std::string DevNamesFileName(int slot);  // "devname<N>.bin"
std::string DevModeKey(int slot);        // "devmode<N>"
std::string VersionKey(int slot);        // "version<N>"

// The DEVNAMES block written to "devname<N>.bin": four 16-bit little-endian
// words (driver, device and port offsets, 8, 8 + driver length + 2, ...;
// default flag 0), then each name with its zero and one more zero byte.
// Throws CAppException* when an offset would not fit its 16-bit word.
std::vector<uint8_t> BuildDevNames(const std::string& driver, const std::string& device,
                                   const std::string& port);

// The device names given to the dialog for a stored printer: only the
// device name (at byte 8, wDeviceOffset 8) with its zero; the driver and
// port offsets are 0 and so point at the zero word that starts the block.
std::vector<uint8_t> BuildDeviceOnlyDevNames(const std::string& device);

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
