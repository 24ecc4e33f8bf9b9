#include "stored_printer.h"

#include <cctype>
#include <climits>

namespace {

const char kPrinterSection[] = "Printer Infomation";

// The smallest public part any device mode ever had (up to dmTTOption).
const size_t kMinPublicSize = 68;
const size_t kHeaderSize = 40;

uint16_t Word(const uint8_t* data, size_t at)
{
    return static_cast<uint16_t>(data[at] | (data[at + 1] << 8));
}

}  // namespace

StoredPrinter ReadStoredPrinter(const char* settingsFile, ProfileReader& profile)
{
    StoredPrinter printer;
    char text[260];
    profile.ReadString(settingsFile, kPrinterSection, "SelectPrinterName", "", text, sizeof text);
    printer.name = text;
    profile.ReadString(settingsFile, kPrinterSection, "SelectPrinterNo", "", text, sizeof text);
    printer.slot = PlainDecimal(text);
    return printer;
}

int32_t PlainDecimal(const std::string& text)
{
    size_t at = 0;
    while (at < text.size() && (text[at] == ' ' || text[at] == '\t'))
        ++at;
    bool negative = false;
    if (at < text.size() && (text[at] == '-' || text[at] == '+'))
        negative = text[at++] == '-';
    long long value = 0;
    for (; at < text.size() && std::isdigit(static_cast<unsigned char>(text[at])); ++at) {
        value = value * 10 + (text[at] - '0');
        if (value > INT_MAX)
            return 0;  // no slot is that large: an unreadable number
    }
    return static_cast<int32_t>(negative ? -value : value);
}

std::string DevModeFilePath(const std::string& folder, int32_t slot)
{
    return folder + "\\devmode" + std::to_string(slot) + ".bin";
}

StoredDevModeParts InspectStoredDevMode(const uint8_t* data, size_t size)
{
    StoredDevModeParts parts;
    if (!data || size < kHeaderSize)
        return parts;
    const size_t publicSize = Word(data, 36);
    const size_t privateSize = Word(data, 38);
    if (publicSize < kMinPublicSize || publicSize > size)
        return parts;
    parts.usable = true;
    parts.publicSize = publicSize;
    parts.privateSize = publicSize + privateSize <= size ? privateSize : 0;
    return parts;
}
