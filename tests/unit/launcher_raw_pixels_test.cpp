// Pages taken in their own pixel format and converted for printing: each
// format against pixels whose printed colour is known.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "launcher/raw_pixels.h"

namespace {

struct Case {
    const char* what;
    RawPixelFormat format;
    std::vector<uint8_t> row;
    std::vector<uint8_t> bgr;  // expected, three bytes a pixel
};

// Two-colour palette entries: opaque red, blue at half alpha, opaque black,
// transparent green.
const std::vector<uint32_t> kPalette = {0xFFFF0000u, 0x800000FFu, 0xFF000000u, 0x0000FF00u};

const Case kCases[] = {
    // 2 bits: black, dark grey, light grey, white; the high bits first.
    {"grey 2", RawPixelFormat::Gray2, {0x1B}, {0, 0, 0, 0x55, 0x55, 0x55, 0xAA, 0xAA, 0xAA, 0xFF, 0xFF, 0xFF}},
    {"grey 4", RawPixelFormat::Gray4, {0x0F, 0x80}, {0, 0, 0, 0xFF, 0xFF, 0xFF, 0x88, 0x88, 0x88}},
    // 16 bits, little-endian: 0, 0x8080 (the 8-bit 0x80), 0xFFFF, and 0x00FF
    // which rounds to 1.
    {"grey 16", RawPixelFormat::Gray16, {0, 0, 0x80, 0x80, 0xFF, 0xFF, 0xFF, 0x00},
     {0, 0, 0, 0x80, 0x80, 0x80, 0xFF, 0xFF, 0xFF, 1, 1, 1}},
    // Palette: red; half-transparent blue on white; black; transparent as paper.
    {"palette 2", RawPixelFormat::Indexed2, {0x1B},
     {0, 0, 0xFF, 0xFF, 0x7F, 0x7F, 0, 0, 0, 0xFF, 0xFF, 0xFF}},
    // Index 3 and an index beyond the palette (paper).
    {"palette 4", RawPixelFormat::Indexed4, {0x3F}, {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}},
    {"RGB 48", RawPixelFormat::Rgb48, {0xFF, 0xFF, 0x80, 0x80, 0x00, 0x00}, {0, 0x80, 0xFF}},
    {"BGR 48", RawPixelFormat::Bgr48, {0xFF, 0xFF, 0x80, 0x80, 0x00, 0x00}, {0xFF, 0x80, 0}},
    // Opaque red, then black at alpha 0x8000 (about half) on white: grey.
    {"RGBA 64", RawPixelFormat::Rgba64,
     {0xFF, 0xFF, 0, 0, 0, 0, 0xFF, 0xFF, 0, 0, 0, 0, 0, 0, 0x00, 0x80},
     {0, 0, 0xFF, 0x7F, 0x7F, 0x7F}},
    // No ink: white; full black: black; full cyan: no red; half magenta and
    // half black: a quarter of the green light.
    {"CMYK 32", RawPixelFormat::Cmyk32,
     {0, 0, 0, 0, 0, 0, 0, 0xFF, 0xFF, 0, 0, 0, 0, 0x80, 0, 0x80},
     {0xFF, 0xFF, 0xFF, 0, 0, 0, 0xFF, 0xFF, 0, 0x7F, 0x3F, 0x7F}},
    // Full yellow: the blue light gone; half black.
    {"CMYK 64", RawPixelFormat::Cmyk64,
     {0, 0, 0, 0, 0xFF, 0xFF, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x80},
     {0, 0xFF, 0xFF, 0x7F, 0x7F, 0x7F}},
};

TEST(LauncherRawPixels, EachFormatPrintsItsKnownColours)
{
    for (const Case& c : kCases) {
        const size_t width = c.bgr.size() / 3;
        ASSERT_GE(c.row.size(), RawRowBytes(c.format, static_cast<int32_t>(width))) << c.what;
        // One byte more than needed: a converter that writes past the row is caught.
        std::vector<uint8_t> out(c.bgr.size() + 1, 0xEE);
        ConvertRawRow(c.format, c.row.data(), width, kPalette, out.data());
        EXPECT_EQ(out.back(), 0xEE) << c.what;
        out.pop_back();
        EXPECT_EQ(out, c.bgr) << c.what;
    }
}

TEST(LauncherRawPixels, RowBytesRoundUpToWholeBytesAndRefuseWhatNoCountHolds)
{
    EXPECT_EQ(RawRowBytes(RawPixelFormat::Gray2, 5), 2u);
    EXPECT_EQ(RawRowBytes(RawPixelFormat::Indexed4, 3), 2u);
    EXPECT_EQ(RawRowBytes(RawPixelFormat::Rgb48, 3), 18u);
    EXPECT_EQ(RawRowBytes(RawPixelFormat::Cmyk64, 0), 0u);
    EXPECT_EQ(RawRowBytes(RawPixelFormat::Cmyk64, 0x7FFFFFFF), 0u);
}

}  // namespace
