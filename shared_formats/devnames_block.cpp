#include "devnames_block.h"

#include <algorithm>
#include <cstring>

namespace {

size_t Word(const uint8_t* block, size_t at)
{
    return static_cast<size_t>(block[at]) | (static_cast<size_t>(block[at + 1]) << 8);
}

void PutWord(std::vector<uint8_t>& block, size_t at, size_t value)
{
    block[at] = static_cast<uint8_t>(value & 0xFF);
    block[at + 1] = static_cast<uint8_t>((value >> 8) & 0xFF);
}

bool ReadName(const uint8_t* block, size_t blockSize, size_t offset, std::string& name)
{
    if (offset == 0) {
        name.clear();
        return true;
    }
    if (offset < kDevNamesHeaderSize || offset >= blockSize)
        return false;
    const void* end = std::memchr(block + offset, '\0', blockSize - offset);
    if (!end)
        return false;
    name.assign(reinterpret_cast<const char*>(block + offset),
                static_cast<const uint8_t*>(end) - (block + offset));
    return true;
}

}  // namespace

bool ReadDevNamesBlock(const uint8_t* block, size_t blockSize, DevNamesText& names)
{
    names = DevNamesText();
    if (!block || blockSize < kDevNamesHeaderSize)
        return false;
    DevNamesText read;
    if (!ReadName(block, blockSize, Word(block, 0), read.driver) ||
        !ReadName(block, blockSize, Word(block, 2), read.device) ||
        !ReadName(block, blockSize, Word(block, 4), read.port))
        return false;
    names = read;
    return true;
}

std::vector<uint8_t> BuildDevNamesBlock(const std::string& driver, const std::string& device,
                                        const std::string& port)
{
    const size_t deviceOffset = kDevNamesHeaderSize + driver.size() + 2;
    const size_t portOffset = deviceOffset + device.size() + 2;
    if (portOffset > 0xFFFF)
        return {};
    std::vector<uint8_t> block(portOffset + port.size() + 2, 0);
    PutWord(block, 0, kDevNamesHeaderSize);
    PutWord(block, 2, deviceOffset);
    PutWord(block, 4, portOffset);
    std::copy(driver.begin(), driver.end(), block.begin() + kDevNamesHeaderSize);
    std::copy(device.begin(), device.end(), block.begin() + deviceOffset);
    std::copy(port.begin(), port.end(), block.begin() + portOffset);
    return block;
}

std::vector<uint8_t> BuildDeviceOnlyDevNamesBlock(const std::string& device)
{
    std::vector<uint8_t> block(kDevNamesHeaderSize + device.size() + 1, 0);
    PutWord(block, 2, kDevNamesHeaderSize);
    std::copy(device.begin(), device.end(), block.begin() + kDevNamesHeaderSize);
    return block;
}
