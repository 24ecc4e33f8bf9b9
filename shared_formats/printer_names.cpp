#include "shared_formats/printer_names.h"

#include "shared_formats/stored_devmode.h"

namespace {

char FoldAscii(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

// Whether the first length bytes of a and b (both at least that long) are
// the same characters. A trail byte may be an ASCII letter: it is compared
// as it is, never folded.
bool SameStart(std::string_view a, std::string_view b, size_t length, LeadByteTest isLeadByte)
{
    for (size_t at = 0; at < length; ++at) {
        if (isLeadByte(static_cast<unsigned char>(a[at]))) {
            if (a[at] != b[at])
                return false;
            if (at + 1 < length && a[at + 1] != b[at + 1])
                return false;
            ++at;
            continue;
        }
        if (FoldAscii(a[at]) != FoldAscii(b[at]))
            return false;
    }
    return true;
}

}  // namespace

bool SamePrinterName(std::string_view a, std::string_view b, LeadByteTest isLeadByte)
{
    return a.size() == b.size() && SameStart(a, b, a.size(), isLeadByte);
}

const std::string* FindListedPrinter(std::string_view stored, const std::vector<std::string>& listed,
                                     LeadByteTest isLeadByte)
{
    if (stored.empty())
        return nullptr;
    for (const std::string& name : listed)
        if (SamePrinterName(stored, name, isLeadByte))
            return &name;
    return nullptr;
}

bool DeviceNameFieldNames(const uint8_t* field, std::string_view printerName,
                          LeadByteTest isLeadByte)
{
    size_t length = 0;
    while (length < kDevModeDeviceNameSize && field[length] != 0)
        ++length;
    if (length == 0 || length > printerName.size())
        return false;
    const std::string_view stored(reinterpret_cast<const char*>(field), length);
    if (length == printerName.size())
        return SamePrinterName(stored, printerName, isLeadByte);
    // A name that does not fit with its zero is cut to 31 bytes, to 30 when
    // a double-byte character would be split, or to 32 without the zero.
    const bool cutToFit = printerName.size() >= kDevModeDeviceNameSize &&
                          length + 2 >= kDevModeDeviceNameSize;
    return cutToFit && SameStart(stored, printerName, length, isLeadByte);
}
