// A device mode kept in a file ("devmode<slot>.bin"): the platform's ANSI
// DEVMODE as it was in memory, the public part (dmSize bytes, the 16-bit
// little-endian field at byte 36) followed by the driver's private part
// (dmDriverExtra bytes, the field at byte 38). A file may be shorter than its
// header says (a save that adjusted dmDriverExtra keeps the old length under
// the new header; an interrupted write leaves less), so every reader takes
// the smaller of the file's length and the header's.
#pragma once
#include <cstddef>
#include <cstdint>

// Bytes up to and including dmDriverExtra.
constexpr size_t kDevModeHeaderSize = 40;

struct DevModeHeader {
    uint16_t publicSize = 0;   // dmSize
    uint16_t privateSize = 0;  // dmDriverExtra
};

// False when data holds fewer than kDevModeHeaderSize bytes.
bool ReadDevModeHeader(const uint8_t* data, size_t size, DevModeHeader& header);

// How much of a stored device mode can be handed on.
struct StoredDevModeParts {
    bool usable = false;      // the public part is there and plausible
    bool complete = false;    // usable, and the file holds dmSize + dmDriverExtra bytes
    size_t publicSize = 0;    // dmSize
    size_t privateSize = 0;   // dmDriverExtra, or 0 when the file does not hold all of it

    size_t Length() const { return publicSize + privateSize; }
};

StoredDevModeParts InspectStoredDevMode(const uint8_t* data, size_t size);
