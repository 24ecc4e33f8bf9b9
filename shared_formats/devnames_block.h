// The DEVNAMES block: how the print dialog names a printer's driver, device
// and output port, and the layout of the "devname<N>.bin" files the settings
// program writes. Four 16-bit little-endian words: the driver, device and
// output offsets and the default flag, each offset counted in characters
// from the block's start (the ANSI block's characters are bytes) and naming
// a zero-terminated text inside the block. An offset of 0 names no text: the
// settings program gives a stored printer's block only its device name and
// leaves the other offsets 0 (they point at the zero word that starts such a
// block). Readers: jobport.dll (the default printer's block) and the
// settings program (its dialog's block).
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

const size_t kDevNamesHeaderSize = 8;  // the four words

struct DevNamesText {
    std::string driver;
    std::string device;
    std::string port;
};

// The three names of block. False, with the names left empty, when the block
// is shorter than its four words, an offset other than 0 points into the
// words or past the block, or a name has no terminator inside the block.
bool ReadDevNamesBlock(const uint8_t* block, size_t blockSize, DevNamesText& names);

// The block written to "devname<N>.bin": offsets 8, 8 + driver length + 2 and
// device offset + device length + 2, default flag 0, then each name with its
// zero and one more zero byte. Empty when an offset would not fit its 16-bit
// word (a cut offset would name another text).
std::vector<uint8_t> BuildDevNamesBlock(const std::string& driver, const std::string& device,
                                        const std::string& port);

// A block naming only the device (at byte 8, with its zero); the driver and
// port offsets are 0.
std::vector<uint8_t> BuildDeviceOnlyDevNamesBlock(const std::string& device);
