#include "shared_formats/stored_devmode.h"

#include "shared_formats/printer_names.h"

namespace {

uint16_t Word(const uint8_t* data, size_t at)
{
    return static_cast<uint16_t>(data[at] | (data[at + 1] << 8));
}

StoredDevModeParts Fault(StoredDevModeParts parts, StoredDevModeFault fault)
{
    parts.fault = fault;
    return parts;
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

const char* DescribeStoredDevModeFault(StoredDevModeFault fault)
{
    switch (fault) {
    case StoredDevModeFault::kNone:
        return "it is whole";
    case StoredDevModeFault::kOversized:
        return "it is larger than 64 KiB";
    case StoredDevModeFault::kNoHeader:
        return "it is missing or shorter than a device mode's header";
    case StoredDevModeFault::kPublicSizeOutOfRange:
        return "its public size (dmSize) is out of range";
    case StoredDevModeFault::kPublicPartCut:
        return "it ends inside its public part";
    case StoredDevModeFault::kOtherPrinter:
        return "it names another printer";
    case StoredDevModeFault::kPrivateSizeTooLarge:
        return "its private size (dmDriverExtra) is too large";
    case StoredDevModeFault::kPrivatePartCut:
        return "it ends inside its private part";
    }
    return "it is damaged";
}

StoredDevModeParts InspectStoredDevMode(const uint8_t* data, size_t size,
                                        std::string_view printerName, LeadByteTest isLeadByte)
{
    StoredDevModeParts parts;
    if (size > kMaxStoredDevModeSize)
        return OversizedStoredDevMode();
    DevModeHeader header;
    if (!ReadDevModeHeader(data, size, header))
        return Fault(parts, StoredDevModeFault::kNoHeader);
    const size_t publicSize = header.publicSize;
    const size_t privateSize = header.privateSize;
    if (publicSize < kMinDevModePublicSize || publicSize > kMaxDevModePublicSize)
        return Fault(parts, StoredDevModeFault::kPublicSizeOutOfRange);
    if (publicSize > size)
        return Fault(parts, StoredDevModeFault::kPublicPartCut);

    parts.usable = true;
    parts.publicSize = publicSize;
    if (!DeviceNameFieldNames(data, printerName, isLeadByte))
        return Fault(parts, StoredDevModeFault::kOtherPrinter);
    if (privateSize > kMaxDevModePrivateSize)
        return Fault(parts, StoredDevModeFault::kPrivateSizeTooLarge);
    if (publicSize + privateSize > size)
        return Fault(parts, StoredDevModeFault::kPrivatePartCut);
    parts.complete = true;
    parts.privateSize = privateSize;
    return Fault(parts, StoredDevModeFault::kNone);
}

StoredDevModeParts OversizedStoredDevMode()
{
    StoredDevModeParts parts;
    parts.fault = StoredDevModeFault::kOversized;
    return parts;
}
