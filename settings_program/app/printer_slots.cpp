#include "app/printer_slots.h"

#include <algorithm>
#include <climits>

const char kAbsentSlotKey[] = "\xFF";

int ChoosePrinterSlot(const std::string& printerName, const PrinterInfoLookup& lookup)
{
    const std::string absent(kAbsentSlotKey);
    int firstEmpty = -1;
    // A settings file cannot hold INT_MAX keys; the bound only keeps the count from overflowing.
    int slot = 0;
    for (; slot < INT_MAX; ++slot) {
        const std::string owner = lookup(DevModeKey(slot), absent);
        if (owner == printerName)
            return slot;
        if (owner == absent)
            break;
        if (owner.empty() && firstEmpty < 0)
            firstEmpty = slot;
    }
    return firstEmpty >= 0 ? firstEmpty : slot;
}

size_t DevModeSaveLength(const uint8_t* devMode, size_t blockSize)
{
    DevModeHeader header;
    if (!ReadDevModeHeader(devMode, blockSize, header))
        return 0;
    const uint16_t length = static_cast<uint16_t>(header.publicSize + header.privateSize);
    return std::min<size_t>(length, blockSize);
}

bool DriverChanged(const std::string& savedVersion, const std::string& currentVersion,
                   const StoredDevModeParts& stored, uint16_t currentDriverExtra)
{
    return !stored.complete || savedVersion != currentVersion ||
           stored.privateSize != currentDriverExtra;
}
