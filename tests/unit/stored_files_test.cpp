// Formats shared by the launcher and the settings program: numbers read as
// plain decimals, and how much of a stored device mode the file holds.
#include <gtest/gtest.h>

#include "devmode_bytes.h"
#include "stored_files/plain_decimal.h"
#include "stored_files/stored_devmode.h"

namespace {

TEST(StoredFiles, NumbersAndDeviceModesAreReadOnlyAsFarAsTheyGo)
{
    EXPECT_EQ(PlainDecimal(" 12 ") + PlainDecimal("  -3x"), 9);
    EXPECT_EQ(PlainDecimal("slot") + PlainDecimal("99999999999"), 0);

    const std::vector<uint8_t> whole = DevModeBytes(156, 20, 180);
    StoredDevModeParts parts = InspectStoredDevMode(whole.data(), whole.size());
    EXPECT_TRUE(parts.usable && parts.complete);
    EXPECT_EQ(parts.Length(), 176u) << "bytes after the header's length are not read";

    // Written with the private size of an older driver: the public part only.
    const std::vector<uint8_t> cut = DevModeBytes(156, 20, 170);
    parts = InspectStoredDevMode(cut.data(), cut.size());
    EXPECT_TRUE(parts.usable && !parts.complete);
    EXPECT_EQ(parts.Length(), 156u);

    // Empty, no whole header, public part cut, impossible dmSize.
    for (const std::vector<uint8_t>& bad : {std::vector<uint8_t>(), DevModeBytes(0, 0, 39),
                                            DevModeBytes(156, 0, 100), DevModeBytes(40, 0, 156)}) {
        parts = InspectStoredDevMode(bad.data(), bad.size());
        EXPECT_FALSE(parts.usable || parts.complete || parts.Length()) << bad.size();
    }
}

}  // namespace
