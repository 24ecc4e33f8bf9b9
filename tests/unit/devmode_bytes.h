// A device mode of fileSize zero bytes with dmSize and dmDriverExtra at
// bytes 36 and 38 (little-endian) when the header fits, and the device name
// (up to 32 bytes, no zero added) at byte 0.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

inline std::vector<uint8_t> DevModeBytes(uint16_t dmSize, uint16_t dmDriverExtra, size_t fileSize,
                                         const std::string& deviceName = "Office laser")
{
    std::vector<uint8_t> bytes(fileSize, 0);
    for (size_t at = 0; at < deviceName.size() && at < 32 && at < fileSize; ++at)
        bytes[at] = static_cast<uint8_t>(deviceName[at]);
    const uint8_t header[] = {uint8_t(dmSize), uint8_t(dmSize >> 8), uint8_t(dmDriverExtra),
                              uint8_t(dmDriverExtra >> 8)};
    for (size_t at = 36; at < 40 && at < fileSize; ++at)
        bytes[at] = header[at - 36];
    return bytes;
}
