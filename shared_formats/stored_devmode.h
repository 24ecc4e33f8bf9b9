// A device mode kept in a file ("devmode<slot>.bin"): the platform's ANSI
// DEVMODE as it was in memory, the public part (dmSize bytes, the 16-bit
// little-endian field at byte 36) followed by the driver's private part
// (dmDriverExtra bytes, the field at byte 38). A file may be shorter than its
// header says (a save that adjusted dmDriverExtra keeps the old length under
// the new header; an interrupted write leaves less), so every reader takes
// the smaller of the file's length and the header's.
//
// The file lies in a folder every user can write, so it may also be another
// printer's device mode, or no device mode at all. Its private part goes to
// the printer driver, which trusts it: that part is handed on only when the
// file is whole, within bounds and names the printer it is used for.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "ansi_paths/ansi_path_split.h"  // LeadByteTest

// Bytes up to and including dmDriverExtra.
constexpr size_t kDevModeHeaderSize = 40;
// dmDeviceName: the printer's name, cut to fit, at the start of the header.
constexpr size_t kDevModeDeviceNameSize = 32;

// Bounds of what is read. Public parts have been 156 bytes since Windows
// 2000; 1 KiB leaves room for growth. Drivers keep a few KiB of private
// data. The settings program writes at most 65,535 bytes (a 16-bit length),
// so no file it wrote is larger than 64 KiB: a larger one is not read at all.
constexpr size_t kMinDevModePublicSize = 68;  // the smallest public part ever (up to dmTTOption)
constexpr size_t kMaxDevModePublicSize = 1024;
constexpr size_t kMaxStoredDevModeSize = 64 * 1024;
constexpr size_t kMaxDevModePrivateSize = kMaxStoredDevModeSize - kMaxDevModePublicSize;

struct DevModeHeader {
    uint16_t publicSize = 0;   // dmSize
    uint16_t privateSize = 0;  // dmDriverExtra
};

// False when data holds fewer than kDevModeHeaderSize bytes.
bool ReadDevModeHeader(const uint8_t* data, size_t size, DevModeHeader& header);

// Why a stored device mode is not handed on whole, the first reason found
// in this order.
enum class StoredDevModeFault {
    kNone,
    kOversized,             // more than kMaxStoredDevModeSize bytes
    kNoHeader,              // fewer than kDevModeHeaderSize bytes (an empty file too)
    kPublicSizeOutOfRange,  // dmSize outside kMinDevModePublicSize..kMaxDevModePublicSize
    kPublicPartCut,         // the file ends inside the public part
    kOtherPrinter,          // dmDeviceName does not name the printer (or is not ended)
    kPrivateSizeTooLarge,   // dmDriverExtra above kMaxDevModePrivateSize
    kPrivatePartCut,        // the file ends inside the private part
};

// What the fault means, for a log line: "it names another printer".
const char* DescribeStoredDevModeFault(StoredDevModeFault fault);

// How much of a stored device mode can be handed on.
struct StoredDevModeParts {
    bool usable = false;      // the public part is there and plausible
    bool complete = false;    // usable, and the private part is this printer's and all there
    size_t publicSize = 0;    // dmSize
    size_t privateSize = 0;   // dmDriverExtra when complete, else 0
    StoredDevModeFault fault = StoredDevModeFault::kNoHeader;

    size_t Length() const { return publicSize + privateSize; }
};

// Checks size bytes of a stored device mode for the printer named
// printerName (its name as the system lists it). A device mode that names
// another printer keeps only its public part: the private part is that
// printer's driver's.
StoredDevModeParts InspectStoredDevMode(const uint8_t* data, size_t size,
                                        std::string_view printerName, LeadByteTest isLeadByte);

// The parts of a device-mode file that was too large to be read.
StoredDevModeParts OversizedStoredDevMode();
