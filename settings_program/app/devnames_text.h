// The three names of a DEVNAMES block as the print dialog holds it: four
// 16-bit little-endian words (driver, device and output offsets counted in
// bytes from the block's start, then the default flag), each offset naming a
// zero-terminated text inside the block. An offset of 0 (a block that names
// only its device) points at the zero word that starts the block: an empty
// name.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

struct DevNamesText {
    std::string driver;
    std::string device;
    std::string port;
};

// False, with names left empty, when the block is shorter than its four
// words, an offset lies outside it or a name has no terminator inside it.
bool ReadDevNamesText(const uint8_t* block, size_t blockSize, DevNamesText& names);
