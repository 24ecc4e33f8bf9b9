#include "devnames_reader.h"

#include <cstring>

#include "shared_formats/devnames_block.h"

namespace {

bool CopyName(const std::string& name, char* out)
{
    if (name.size() >= kPathBufferSize)
        return false;
    std::memcpy(out, name.c_str(), name.size() + 1);
    return true;
}

}  // namespace

bool ReadDevNames(const void* block, size_t blockSize, DefaultPrinterNames& names)
{
    names.device[0] = '\0';
    names.port[0] = '\0';
    DevNamesText text;
    // A block that names no device names no printer.
    if (ReadDevNamesBlock(static_cast<const uint8_t*>(block), blockSize, text) &&
        !text.device.empty() && CopyName(text.device, names.device) &&
        CopyName(text.port, names.port))
        return true;
    names.device[0] = '\0';
    names.port[0] = '\0';
    return false;
}
