// Pages of one bit a pixel stay so in the launcher: their rows padded as
// device-independent bitmaps are, and turned a quarter like any page.
#include <gtest/gtest.h>

#include "launcher/bitmap1.h"

namespace {

TEST(LauncherOneBit, RowsArePaddedToFourBytesAndATurnMovesEveryPixel)
{
    EXPECT_EQ(RowStride1(1), 4u);
    EXPECT_EQ(RowStride1(32), 4u);
    EXPECT_EQ(RowStride1(33), 8u);
    EXPECT_EQ(RowStride1(0), 0u);
    Bitmap1 refused;
    EXPECT_FALSE(MakeBitmap1(4960, 7016, 1024, refused)) << "larger than allowed";

    // Sizes that cross byte and row-padding boundaries, with a pattern no
    // symmetry hides.
    Bitmap1 page;
    ASSERT_TRUE(MakeBitmap1(45, 19, 1 << 20, page));
    page.colours[0] = 0x102030;
    auto ink = [](int32_t x, int32_t y) { return (x * 7 + y * 3) % 5 == 0 || x == y; };
    for (int32_t y = 0; y < page.height; ++y)
        for (int32_t x = 0; x < page.width; ++x)
            if (ink(x, y))
                page.bits[y * page.stride + x / 8] |= static_cast<uint8_t>(0x80 >> (x % 8));

    const Bitmap1 turned = TurnLeft(page);
    ASSERT_EQ(turned.width, 19);
    ASSERT_EQ(turned.height, 45);
    EXPECT_EQ(turned.stride, 4u);
    EXPECT_EQ(turned.colours[0], 0x102030u);
    EXPECT_EQ(turned.colours[1], 0xFFFFFFu);
    for (int32_t y = 0; y < page.height; ++y)
        for (int32_t x = 0; x < page.width; ++x)
            ASSERT_EQ(turned.Bit(y, page.width - 1 - x), page.Bit(x, y)) << x << ", " << y;
    // Padding bits stay clear, so a driver reading whole bytes sees no ink there.
    for (int32_t y = 0; y < turned.height; ++y)
        EXPECT_EQ(turned.bits[y * turned.stride + 2] & 0x1F, 0) << "row " << y;
}

}  // namespace
