#include "devnames_reader.h"

#include <cstdint>
#include <cstring>

namespace {

const size_t kDevNamesHeaderSize = 8;  // four 16-bit fields
const size_t kDeviceOffsetField = 1;
const size_t kOutputOffsetField = 2;

size_t OffsetField(const unsigned char* block, size_t field)
{
    return static_cast<size_t>(block[2 * field]) |
           (static_cast<size_t>(block[2 * field + 1]) << 8);
}

// Copies the terminated string at `offset` into `out` (kPathBufferSize bytes).
bool CopyName(const unsigned char* block, size_t blockSize, size_t offset, char* out)
{
    if (offset < kDevNamesHeaderSize || offset >= blockSize)
        return false;
    const void* end = std::memchr(block + offset, '\0', blockSize - offset);
    if (!end)
        return false;
    const size_t length = static_cast<const unsigned char*>(end) - (block + offset);
    if (length >= kPathBufferSize)
        return false;
    std::memcpy(out, block + offset, length + 1);
    return true;
}

}  // namespace

bool ReadDevNames(const void* block, size_t blockSize, DefaultPrinterNames& names)
{
    names.device[0] = '\0';
    names.port[0] = '\0';
    if (!block || blockSize < kDevNamesHeaderSize)
        return false;
    const unsigned char* bytes = static_cast<const unsigned char*>(block);
    if (CopyName(bytes, blockSize, OffsetField(bytes, kDeviceOffsetField), names.device) &&
        CopyName(bytes, blockSize, OffsetField(bytes, kOutputOffsetField), names.port))
        return true;
    names.device[0] = '\0';
    names.port[0] = '\0';
    return false;
}
