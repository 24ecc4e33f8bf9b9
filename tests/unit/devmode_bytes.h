// A device mode of fileSize zero bytes with dmSize and dmDriverExtra at
// bytes 36 and 38 (little-endian) when the header fits.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

inline std::vector<uint8_t> DevModeBytes(uint16_t dmSize, uint16_t dmDriverExtra, size_t fileSize)
{
    std::vector<uint8_t> bytes(fileSize, 0);
    const uint8_t header[] = {uint8_t(dmSize), uint8_t(dmSize >> 8), uint8_t(dmDriverExtra),
                              uint8_t(dmDriverExtra >> 8)};
    for (size_t at = 36; at < 40 && at < fileSize; ++at)
        bytes[at] = header[at - 36];
    return bytes;
}
