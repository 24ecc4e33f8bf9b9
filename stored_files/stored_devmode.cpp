#include "stored_files/stored_devmode.h"

namespace {

// The smallest public part any device mode ever had (up to dmTTOption).
const size_t kMinPublicSize = 68;

uint16_t Word(const uint8_t* data, size_t at)
{
    return static_cast<uint16_t>(data[at] | (data[at + 1] << 8));
}

}  // namespace

bool ReadDevModeHeader(const uint8_t* data, size_t size, DevModeHeader& header)
{
    header = DevModeHeader();
    if (!data || size < kDevModeHeaderSize)
        return false;
    header.publicSize = Word(data, 36);
    header.privateSize = Word(data, 38);
    return true;
}

StoredDevModeParts InspectStoredDevMode(const uint8_t* data, size_t size)
{
    StoredDevModeParts parts;
    DevModeHeader header;
    if (!ReadDevModeHeader(data, size, header))
        return parts;
    const size_t publicSize = header.publicSize;
    const size_t privateSize = header.privateSize;
    if (publicSize < kMinPublicSize || publicSize > size)
        return parts;
    parts.usable = true;
    parts.publicSize = publicSize;
    parts.complete = publicSize + privateSize <= size;
    parts.privateSize = parts.complete ? privateSize : 0;
    return parts;
}
