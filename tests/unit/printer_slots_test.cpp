// Printer slots of the settings program: the slot a saved printer takes, the
// names and blocks written for it, and when a stored device mode is dropped.
#include <gtest/gtest.h>

#include <map>
#include <tuple>

#include "app/printer_slots.h"
#include "devmode_bytes.h"
#include "shared_formats/devnames_block.h"

namespace {

bool SingleByte(unsigned char) { return false; }

// Section "Printer Infomation", recording the keys the search asks for.
struct FakePrinterInfo {
    std::map<std::string, std::string> values;
    std::vector<std::string> asked;

    int Save(const std::string& printer)  // what a save at OK records
    {
        asked.clear();
        const auto lookup = [this](const std::string& key, const std::string& def) {
            asked.push_back(key);
            const auto found = values.find(key);
            return found == values.end() ? def : found->second;
        };
        const int slot = ChoosePrinterSlot(printer, lookup);
        values[DevModeKey(slot)] = printer;
        return slot;
    }
};

TEST(PrinterSlots, APrinterKeepsItsSlotAndANewOneTakesTheLowestFreedSlot)
{
    FakePrinterInfo info;
    EXPECT_EQ(info.Save("A"), 0) << "first run";
    EXPECT_EQ(info.Save("B"), 1);
    EXPECT_EQ(info.Save("A"), 0);
    EXPECT_EQ(info.asked, (std::vector<std::string>{"devmode0"}));
    EXPECT_EQ(info.Save("C"), 2);
    info.values["devmode1"] = info.values["devmode0"] = "";  // A and B gone
    EXPECT_EQ(info.Save("C"), 2) << "its own slot beats a freed one";
    EXPECT_EQ(info.Save("D"), 0);
    EXPECT_EQ(info.Save("E"), 1);

    // devmode1 missing: the search stops there and slot 2 is never seen.
    info.values = {{"devmode0", "A"}, {"devmode2", "P"}};
    EXPECT_EQ(info.Save("P"), 1);
    EXPECT_EQ(info.asked, (std::vector<std::string>{"devmode0", "devmode1"}));
}

TEST(PrinterSlots, NamesAndDeviceNamesBlocksAreWrittenByteForByte)
{
    EXPECT_EQ(DevModeFileName(0) + DevNamesFileName(12) + VersionKey(100),
              "devmode0.bindevname12.binversion100");
    const std::vector<uint8_t> expected = {8, 0, 13, 0, 18, 0, 0, 0, 'd', 'r', 'v', 0, 0,
                                           'L', 'a', 's', 0, 0, 'L', 'P', 'T', 0, 0};
    EXPECT_EQ(BuildDevNamesBlock("drv", "Las", "LPT"), expected);
    EXPECT_EQ(BuildDevNamesBlock("", "", "").size(), 14u);
    EXPECT_EQ(BuildDeviceOnlyDevNamesBlock("Las"),
              (std::vector<uint8_t>{0, 0, 8, 0, 0, 0, 0, 0, 'L', 'a', 's', 0}));

    // Offsets are 16-bit: the port may run past 64 KiB, the names before it may not.
    EXPECT_EQ(BuildDevNamesBlock(std::string(65000, 'd'), "x", std::string(1000, 'p')).size(), 66015u);
    EXPECT_TRUE(BuildDevNamesBlock(std::string(65000, 'd'), std::string(600, 'x'), "p").empty())
        << "an offset past 65,535 must not be cut";
}

TEST(PrinterSlots, SavedLengthIsASixteenBitSumBoundedByTheBlock)
{
    for (const auto& [dmSize, dmDriverExtra, block, saved] :
         std::vector<std::tuple<uint16_t, uint16_t, size_t, size_t>>{
             {156, 20, 200, 176}, {65000, 1000, 70000, 464},  // modulo 65,536
             {156, 200, 300, 300}, {156, 20, 39, 0}}) {         // never past the block
        const std::vector<uint8_t> devMode = DevModeBytes(dmSize, dmDriverExtra, block);
        EXPECT_EQ(DevModeSaveLength(devMode.data(), devMode.size()), saved) << dmSize;
    }
}

TEST(PrinterSlots, AStoredDeviceModeIsDroppedWhenTheDriverChangedOrTheFileIsShort)
{
    const std::vector<uint8_t> whole = DevModeBytes(156, 20, 176);
    const StoredDevModeParts stored =
        InspectStoredDevMode(whole.data(), whole.size(), "Office laser", SingleByte);
    EXPECT_FALSE(DriverChanged("1.2", "1.2", stored, 20));
    EXPECT_TRUE(DriverChanged("1.2", "1.3", stored, 20));
    EXPECT_TRUE(DriverChanged("", "", stored, 24)) << "without versions the private size decides";

    // Empty, no whole header, cut inside the private part, another printer's.
    for (const std::vector<uint8_t>& file :
         {std::vector<uint8_t>(), DevModeBytes(0, 0, 39), DevModeBytes(156, 20, 175),
          DevModeBytes(156, 20, 176, "Back office")}) {
        const StoredDevModeParts parts =
            InspectStoredDevMode(file.data(), file.size(), "Office laser", SingleByte);
        EXPECT_TRUE(DriverChanged("1.2", "1.2", parts, 0)) << file.size();
        EXPECT_TRUE(DriverChanged("1.2", "1.2", parts, 20)) << file.size();
    }
}

}  // namespace
