// Reading the driver, device and port names out of the print dialog's
// DEVNAMES block, never past the block's end.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "app/devnames_text.h"
#include "app/printer_slots.h"

TEST(DevNamesText, ReadsBackWhatTheStoreWritesAndDeviceOnlyBlocks)
{
    const std::vector<uint8_t> full = BuildDevNames("winspool", "Laser 5", "LPT1:");
    DevNamesText names;
    ASSERT_TRUE(ReadDevNamesText(full.data(), full.size(), names));
    EXPECT_EQ(names.driver, "winspool");
    EXPECT_EQ(names.device, "Laser 5");
    EXPECT_EQ(names.port, "LPT1:");

    // Offsets 0 point at the zero word that starts the block: empty names.
    const std::vector<uint8_t> deviceOnly = BuildDeviceOnlyDevNames("Laser 5");
    ASSERT_TRUE(ReadDevNamesText(deviceOnly.data(), deviceOnly.size(), names));
    EXPECT_EQ(names.driver, "");
    EXPECT_EQ(names.device, "Laser 5");
    EXPECT_EQ(names.port, "");
}

TEST(DevNamesText, RefusesBlocksThatDoNotHoldTheirNames)
{
    const std::vector<uint8_t> full = BuildDevNames("winspool", "Laser 5", "LPT1:");
    DevNamesText names;
    names.device = "left over";

    // Too short for the four words.
    EXPECT_FALSE(ReadDevNamesText(full.data(), 7, names));
    EXPECT_EQ(names.device, "");
    EXPECT_FALSE(ReadDevNamesText(nullptr, 0, names));

    // The port's terminator lies past the block's end.
    EXPECT_FALSE(ReadDevNamesText(full.data(), full.size() - 2, names));

    // An offset beyond the block.
    std::vector<uint8_t> outside = full;
    outside[2] = static_cast<uint8_t>(full.size());
    outside[3] = 0;
    EXPECT_FALSE(ReadDevNamesText(outside.data(), outside.size(), names));
    EXPECT_EQ(names.driver, "");
}
