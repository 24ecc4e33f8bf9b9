#include "app/printer_slots.h"

#include <algorithm>
#include <climits>

#include "app/app_exception.h"
#include "app/format_text.h"

const char kAbsentSlotKey[] = "\xFF";

namespace {

const size_t kDevNamesHeaderSize = 8;

void PutWord(std::vector<uint8_t>& block, size_t at, size_t value)
{
    block[at] = static_cast<uint8_t>(value & 0xFF);
    block[at + 1] = static_cast<uint8_t>((value >> 8) & 0xFF);
}

}  // namespace

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

std::string DevModeFileName(int slot) { return FormatText("devmode%d.bin", slot); }
std::string DevNamesFileName(int slot) { return FormatText("devname%d.bin", slot); }
std::string DevModeKey(int slot) { return FormatText("devmode%d", slot); }
std::string VersionKey(int slot) { return FormatText("version%d", slot); }

std::vector<uint8_t> BuildDevNames(const std::string& driver, const std::string& device,
                                   const std::string& port)
{
    const size_t deviceOffset = kDevNamesHeaderSize + driver.size() + 2;
    const size_t portOffset = deviceOffset + device.size() + 2;
    if (portOffset > 0xFFFF)
        throw new CAppException("The printer's driver and device names are too long.");
    std::vector<uint8_t> block(portOffset + port.size() + 2, 0);
    PutWord(block, 0, kDevNamesHeaderSize);
    PutWord(block, 2, deviceOffset);
    PutWord(block, 4, portOffset);
    std::copy(driver.begin(), driver.end(), block.begin() + kDevNamesHeaderSize);
    std::copy(device.begin(), device.end(), block.begin() + deviceOffset);
    std::copy(port.begin(), port.end(), block.begin() + portOffset);
    return block;
}

std::vector<uint8_t> BuildDeviceOnlyDevNames(const std::string& device)
{
    std::vector<uint8_t> block(kDevNamesHeaderSize + device.size() + 1, 0);
    PutWord(block, 2, kDevNamesHeaderSize);
    std::copy(device.begin(), device.end(), block.begin() + kDevNamesHeaderSize);
    return block;
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
