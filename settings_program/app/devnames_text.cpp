#include "app/devnames_text.h"

#include <cstring>

namespace {

const size_t kHeaderSize = 8;

size_t Word(const uint8_t* block, size_t at)
{
    return static_cast<size_t>(block[at]) | (static_cast<size_t>(block[at + 1]) << 8);
}

bool ReadName(const uint8_t* block, size_t blockSize, size_t offset, std::string& name)
{
    if (offset >= blockSize)
        return false;
    const void* end = std::memchr(block + offset, '\0', blockSize - offset);
    if (!end)
        return false;
    name.assign(reinterpret_cast<const char*>(block + offset),
                static_cast<const uint8_t*>(end) - (block + offset));
    return true;
}

}  // namespace

bool ReadDevNamesText(const uint8_t* block, size_t blockSize, DevNamesText& names)
{
    names = DevNamesText();
    if (!block || blockSize < kHeaderSize)
        return false;
    DevNamesText read;
    if (!ReadName(block, blockSize, Word(block, 0), read.driver) ||
        !ReadName(block, blockSize, Word(block, 2), read.device) ||
        !ReadName(block, blockSize, Word(block, 4), read.port))
        return false;
    names = read;
    return true;
}
