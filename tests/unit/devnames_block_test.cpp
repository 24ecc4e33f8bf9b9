// The one DEVNAMES reader: the names out of a block as the print dialog and
// the settings program's files hold it, never past the block's end.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "shared_formats/devnames_block.h"

TEST(DevNamesBlock, ReadsBackWhatTheStoreWritesAndDeviceOnlyBlocks)
{
    const std::vector<uint8_t> full = BuildDevNamesBlock("winspool", "Laser 5", "LPT1:");
    DevNamesText names;
    ASSERT_TRUE(ReadDevNamesBlock(full.data(), full.size(), names));
    EXPECT_EQ(names.driver, "winspool");
    EXPECT_EQ(names.device, "Laser 5");
    EXPECT_EQ(names.port, "LPT1:");

    // Offsets 0 point at the zero word that starts the block: empty names.
    const std::vector<uint8_t> deviceOnly = BuildDeviceOnlyDevNamesBlock("Laser 5");
    ASSERT_TRUE(ReadDevNamesBlock(deviceOnly.data(), deviceOnly.size(), names));
    EXPECT_EQ(names.driver, "");
    EXPECT_EQ(names.device, "Laser 5");
    EXPECT_EQ(names.port, "");
}

TEST(DevNamesBlock, RefusesBlocksThatDoNotHoldTheirNames)
{
    const std::vector<uint8_t> full = BuildDevNamesBlock("winspool", "Laser 5", "LPT1:");
    DevNamesText names;
    names.device = "left over";

    // Too short for the four words.
    EXPECT_FALSE(ReadDevNamesBlock(full.data(), 7, names));
    EXPECT_EQ(names.device, "");
    EXPECT_FALSE(ReadDevNamesBlock(nullptr, 0, names));

    // The port's terminator lies past the block's end.
    EXPECT_FALSE(ReadDevNamesBlock(full.data(), full.size() - 2, names));

    // An offset beyond the block.
    std::vector<uint8_t> outside = full;
    outside[2] = static_cast<uint8_t>(full.size());
    outside[3] = 0;
    EXPECT_FALSE(ReadDevNamesBlock(outside.data(), outside.size(), names));
    EXPECT_EQ(names.driver, "");

    // An offset into the four words names no text (only 0 means none).
    for (uint8_t offset : {1, 2, 7}) {
        std::vector<uint8_t> header = full;
        header[2] = offset;
        EXPECT_FALSE(ReadDevNamesBlock(header.data(), header.size(), names)) << int(offset);
    }
}
