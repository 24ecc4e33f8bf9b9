// The pictures the build draws for the settings program: the files the
// resource compiler and LoadBitmap/LoadIcon read (headers, sizes, masks),
// the list of ids in the resource-script fragment, and what each layout
// preview shows, read back from the encoded bitmap.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <map>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "art_catalogue.h"
#include "copy_icon_art.h"
#include "dialog/preview_ids.h"
#include "file_output.h"
#include "indexed_image.h"
#include "preview_art.h"

using namespace resource_art;

namespace {

uint32_t U16(const std::vector<uint8_t>& b, size_t at) { return b.at(at) | (b.at(at + 1) << 8); }
uint32_t U32(const std::vector<uint8_t>& b, size_t at) { return U16(b, at) | (U16(b, at + 2) << 16); }

const std::map<std::string, std::vector<uint8_t>>& Files()
{
    static const std::map<std::string, std::vector<uint8_t>> files = [] {
        std::map<std::string, std::vector<uint8_t>> byName;
        for (GeneratedFile& file : BuildResourceArtFiles())
            byName[file.name] = std::move(file.bytes);
        return byName;
    }();
    return files;
}

struct Box {
    int left = 1000, top = 1000, right = -1, bottom = -1;  // inclusive
    bool Empty() const { return right < 0; }
    void Add(int x, int y)
    {
        left = std::min(left, x), top = std::min(top, y);
        right = std::max(right, x), bottom = std::max(bottom, y);
    }
};

// The pixels of a 120 x 120 8-bit bitmap file, top row first.
std::vector<Rgb> DecodePreview(const std::vector<uint8_t>& bmp)
{
    const size_t pixelsAt = U32(bmp, 10);
    std::vector<Rgb> pixels;
    for (int y = 0; y < kPreviewSize; ++y)
        for (int x = 0; x < kPreviewSize; ++x) {
            const size_t quad = 54 + 4 * size_t{bmp.at(pixelsAt + (kPreviewSize - 1 - y) * 120 + x)};
            pixels.push_back(Rgb{bmp.at(quad + 2), bmp.at(quad + 1), bmp.at(quad)});
        }
    return pixels;
}

Box BoxOf(const std::vector<Rgb>& pixels, Rgb colour)
{
    Box box;
    for (int y = 0; y < kPreviewSize; ++y)
        for (int x = 0; x < kPreviewSize; ++x)
            if (pixels[y * kPreviewSize + x] == colour)
                box.Add(x, y);
    return box;
}

TEST(ResourceArt, TheScriptFragmentListsEveryPictureByItsId)
{
    const auto& files = Files();
    std::istringstream script(std::string(files.at("resource_art.rc").begin(), files.at("resource_art.rc").end()));
    std::vector<int> icons, bitmaps;
    std::string line;
    while (std::getline(script, line)) {
        if (line.empty() || line[0] == '/')
            continue;
        int id = 0;
        char type[16] = {}, name[64] = {};
        ASSERT_EQ(std::sscanf(line.c_str(), "%d %15s \"%63[^\"]\"", &id, type, name), 3) << line;
        EXPECT_EQ(files.count(name), 1u) << name;
        const bool icon = std::string(type) == "ICON";
        (icon ? icons : bitmaps).push_back(id);
        const std::string expected = !icon ? "preview_" + std::to_string(id) + ".bmp"
                                     : id == kAppIconId ? "tessary.ico"
                                                        : "copy_" + std::to_string(id) + ".ico";
        EXPECT_EQ(name, expected);
    }
    EXPECT_EQ(icons, (std::vector<int>{kAppIconId, kIconUnsortedFirst, kIconUnsortedSecond, kIconUnsortedThird,
                                       kIconSortedFirst, kIconSortedSecond}));
    EXPECT_EQ(bitmaps, std::vector<int>(kPreviewBitmapIds, kPreviewBitmapIds + kPreviewBitmapCount));
    EXPECT_EQ(files.size(), icons.size() + bitmaps.size() + 1);
}

TEST(ResourceArt, PreviewsAre256Colour120SquareBottomUpBitmaps)
{
    for (int id : kPreviewBitmapIds) {
        const std::vector<uint8_t>& bmp = Files().at("preview_" + std::to_string(id) + ".bmp");
        SCOPED_TRACE(id);
        ASSERT_EQ(bmp.size(), 14u + 40 + 256 * 4 + 120 * 120);
        EXPECT_EQ(bmp[0], 'B');
        EXPECT_EQ(bmp[1], 'M');
        EXPECT_EQ(U32(bmp, 2), bmp.size());
        EXPECT_EQ(U32(bmp, 10), 14u + 40 + 1024);  // pixels follow the palette
        EXPECT_EQ(U32(bmp, 14), 40u);              // BITMAPINFOHEADER
        EXPECT_EQ(U32(bmp, 18), 120u);
        EXPECT_EQ(U32(bmp, 22), 120u);  // positive: bottom-up
        EXPECT_EQ(U16(bmp, 26), 1u);
        EXPECT_EQ(U16(bmp, 28), 8u);
        EXPECT_EQ(U32(bmp, 30), 0u);  // uncompressed
    }
}

TEST(ResourceArt, IconsCarryTheirDirectoryColoursAndMask)
{
    for (int id : {kIconUnsortedFirst, kIconUnsortedSecond, kIconUnsortedThird, kIconSortedFirst,
                   kIconSortedSecond}) {
        const std::vector<uint8_t>& ico = Files().at("copy_" + std::to_string(id) + ".ico");
        SCOPED_TRACE(id);
        const uint32_t imageBytes = 40 + 16 * 4 + 32 * 16 + 32 * 4;  // header, palette, colours, mask
        ASSERT_EQ(ico.size(), 6u + 16 + imageBytes);
        EXPECT_EQ(U16(ico, 0), 0u);
        EXPECT_EQ(U16(ico, 2), 1u);  // icon
        EXPECT_EQ(U16(ico, 4), 1u);  // one image
        EXPECT_EQ(ico[6], 32);
        EXPECT_EQ(ico[7], 32);
        EXPECT_EQ(ico[8], 16);         // colours
        EXPECT_EQ(U16(ico, 12), 4u);   // bits per pixel
        EXPECT_EQ(U32(ico, 14), imageBytes);
        EXPECT_EQ(U32(ico, 18), 22u);
        EXPECT_EQ(U32(ico, 22), 40u);
        EXPECT_EQ(U32(ico, 30), 64u);  // colour bitmap and mask stacked
        EXPECT_EQ(U16(ico, 36), 4u);
        // Mask rows are bottom-up: the top-right corner lies outside the
        // folded sheets (transparent, colour black), the middle on paper.
        const size_t mask = 22 + 40 + 64 + 32 * 16;
        EXPECT_EQ(ico[mask + 31 * 4 + 3] & 0x01, 0x01);
        EXPECT_EQ(ico[22 + 40 + 64 + 31 * 16 + 15] & 0x0F, 0);
        EXPECT_EQ(ico[mask + 15 * 4 + 2] & 0x80, 0);
    }

    // The application icon: 32 and 16 pixels in 256 colours, then every
    // size the system asks for at 100 % to 200 % display scale and the
    // 256-pixel one, in 32 bits, each entry where the directory says.
    const std::vector<uint8_t>& app = Files().at("tessary.ico");
    const int sizes[] = {32, 16, 20, 24, 40, 48, 64, 256};
    ASSERT_EQ(U16(app, 4), 8u);
    uint32_t offset = 6 + 16 * 8;
    for (int entry = 0; entry < 8; ++entry) {
        const size_t at = 6 + 16 * size_t(entry);
        const int size = sizes[entry];
        const uint32_t bits = entry < 2 ? 8 : 32;
        const uint32_t row = ((size * bits + 31) / 32) * 4, maskRow = ((size + 31) / 32) * 4;
        const uint32_t bytes = 40 + (bits == 8 ? 1024 : 0) + (row + maskRow) * size;
        SCOPED_TRACE(size);
        EXPECT_EQ(app[at], size & 0xFF);
        EXPECT_EQ(app[at + 1], size & 0xFF);
        EXPECT_EQ(U16(app, at + 6), bits);
        EXPECT_EQ(U32(app, at + 8), bytes);
        EXPECT_EQ(U32(app, at + 12), offset);
        EXPECT_EQ(U32(app, offset + 4), uint32_t(size));
        EXPECT_EQ(U32(app, offset + 8), 2u * size);  // colour bitmap and mask stacked
        EXPECT_EQ(U16(app, offset + 14), bits);
        offset += bytes;
    }
    EXPECT_EQ(app.size(), offset);

    // A sixteen-colour icon drawn in a colour outside its palette fails the build.
    RgbaImage stray(4, 4, Rgb{0x12, 0x34, 0x56}, true);
    EXPECT_THROW(ToIndexed(stray, StandardSixteenColours(), 16), std::runtime_error);
}

// Mask bit of pixel x, y (top row 0) of an icon image whose header starts at `at`.
bool Transparent(const std::vector<uint8_t>& ico, size_t at, int size, int x, int y)
{
    const uint32_t bits = U16(ico, at + 14);
    const size_t colourRow = ((size * bits + 31) / 32) * 4, maskRow = ((size + 31) / 32) * 4;
    const size_t palette = bits == 32 ? 0 : size_t{4} << bits;
    const size_t mask = at + 40 + palette + colourRow * size;
    return (ico.at(mask + (size - 1 - y) * maskRow + x / 8) & (0x80 >> (x % 8))) != 0;
}

TEST(ResourceArt, IconsShowTheirOwnPicturesOnATransparentGround)
{
    const auto& files = Files();
    // Each page number has a picture of its own; both sets show the same stack.
    EXPECT_NE(files.at("copy_12000.ico"), files.at("copy_12002.ico"));
    EXPECT_NE(files.at("copy_12002.ico"), files.at("copy_12001.ico"));
    EXPECT_NE(files.at("copy_12000.ico"), files.at("copy_12022.ico"));
    EXPECT_EQ(files.at("copy_12022.ico"), files.at("copy_12024.ico"));

    // The printer fills the middle of every application icon size; the top
    // corners beside the waiting sheet show the ground.
    const std::vector<uint8_t>& app = files.at("tessary.ico");
    for (size_t entry = 6; entry < 6 + 16 * 8; entry += 16) {
        const int size = app.at(entry) ? app.at(entry) : 256;
        const size_t at = U32(app, entry + 12);
        SCOPED_TRACE(size);
        EXPECT_TRUE(Transparent(app, at, size, 0, 0));
        EXPECT_TRUE(Transparent(app, at, size, size - 1, 0));
        EXPECT_FALSE(Transparent(app, at, size, size / 2, size / 2));
        EXPECT_FALSE(Transparent(app, at, size, std::max(1, size / 32), size / 2));
    }

    // A picture with more colours than a 256-colour palette holds fails the build.
    RgbaImage ramp(32, 32, Rgb{}, true);
    for (int i = 0; i < 32 * 32; ++i)
        ramp.Set(i % 32, i / 32, Rgb{static_cast<uint8_t>(i), static_cast<uint8_t>(i >> 8), 0});
    EXPECT_THROW(ToIndexed(ramp, {}, 256), std::runtime_error);
}

TEST(ResourceArt, EachPreviewShowsItsPageLetterPlaceAndFitArrows)
{
    for (int index = 0; index < kPreviewBitmapCount; ++index) {
        const int h = index % 3, v = index / 3 % 3, fullSize = index / 9 % 2, landscape = index / 18;
        SCOPED_TRACE(index);
        const std::vector<Rgb> pixels =
            DecodePreview(Files().at("preview_" + std::to_string(kPreviewBitmapIds[index]) + ".bmp"));
        const Box page = BoxOf(pixels, preview_ink::kPage);
        const Box letter = BoxOf(pixels, preview_ink::kLetter);
        const Box arrows = BoxOf(pixels, preview_ink::kArrow);
        ASSERT_FALSE(page.Empty());
        ASSERT_FALSE(letter.Empty());
        const int width = page.right - page.left + 1, height = page.bottom - page.top + 1;
        EXPECT_EQ(width > height, landscape == 1);
        // The middle of the letter lies in the third of the page H and V name.
        EXPECT_EQ(3 * ((letter.left + letter.right) / 2 - page.left) / width, h);
        EXPECT_EQ(3 * ((letter.top + letter.bottom) / 2 - page.top) / height, v);
        if (fullSize) {
            EXPECT_TRUE(arrows.Empty());
            continue;
        }
        // Fit: arrows reach beyond the letter exactly on its free sides.
        EXPECT_EQ(arrows.right > letter.right, h != 2);
        EXPECT_EQ(arrows.left < letter.left, h != 0);
        EXPECT_EQ(arrows.bottom > letter.bottom, v != 2);
        EXPECT_EQ(arrows.top < letter.top, v != 0);
        EXPECT_TRUE(arrows.left > page.left && arrows.right < page.right && arrows.top > page.top &&
                    arrows.bottom < page.bottom);
    }
}

// Box of the pixels of one colour in a picture drawn at run time.
Box BoxOf(const RgbaImage& image, Rgb colour)
{
    Box box;
    for (int y = 0; y < image.Height(); ++y)
        for (int x = 0; x < image.Width(); ++x)
            if (image.OpacityAt(x, y) >= 0.5 && image.ColourAt(x, y) == colour)
                box.Add(x, y);
    return box;
}

// At the display scales of 125 % to 200 % the dialog draws the pictures
// larger: every part keeps its place and size in proportion to the picture
// (within a pixel of rounding each way), and the 100 % size is the resource.
TEST(ResourceArt, PicturesDrawnLargerKeepEveryPartInProportion)
{
    // Arrows sum four rounded lengths (inset, letter, gap, length): 3 pixels each way.
    auto expectScaled = [](const Box& small, const Box& large, double scale, const char* what) {
        SCOPED_TRACE(what);
        ASSERT_FALSE(large.Empty());
        const double tolerance = (std::string(what) == "arrows" ? 3.0 : 1.5) * scale;
        EXPECT_NEAR(large.left, small.left * scale, tolerance);
        EXPECT_NEAR(large.top, small.top * scale, tolerance);
        EXPECT_NEAR(large.right + 1, (small.right + 1) * scale, tolerance);
        EXPECT_NEAR(large.bottom + 1, (small.bottom + 1) * scale, tolerance);
    };
    for (int size : {150, 180, 210, 240}) {
        const double scale = size / 120.0;
        for (int index : {0, 13, 22, 35}) {
            SCOPED_TRACE(std::to_string(size) + " px, preview " + std::to_string(index));
            const RgbaImage small = DrawPreview(LayoutOfPreviewIndex(index));
            const RgbaImage large = DrawPreview(LayoutOfPreviewIndex(index), size);
            ASSERT_EQ(large.Width(), size);
            for (Rgb ink : {preview_ink::kPage, preview_ink::kLetter, preview_ink::kFrame})
                expectScaled(BoxOf(small, ink), BoxOf(large, ink), scale, "page, letter, frame");
            if (index / 9 % 2 == 0)
                expectScaled(BoxOf(small, preview_ink::kArrow), BoxOf(large, preview_ink::kArrow), scale,
                             "arrows");
        }
    }
    for (int size : {40, 48, 56, 64}) {
        const double scale = size / 32.0;
        SCOPED_TRACE(std::to_string(size) + " px icons");
        const RgbaImage icons[][2] = {{DrawUnsortedCopiesIcon(2), DrawUnsortedCopiesIcon(2, size)},
                                      {DrawSortedCopiesIcon(), DrawSortedCopiesIcon(size)}};
        for (const auto& icon : icons) {
            // Outlines and paper in proportion; the page numbers (whole
            // pixels of their glyph) on the paper; all in the palette.
            for (Rgb ink : {Rgb{0, 0, 0}, Rgb{0xFF, 0xFF, 0xFF}})
                expectScaled(BoxOf(icon[0], ink), BoxOf(icon[1], ink), scale, "sheets");
            const Box digits = BoxOf(icon[1], Rgb{0x00, 0x00, 0x80}), paper = BoxOf(icon[1], Rgb{0xFF, 0xFF, 0xFF});
            EXPECT_TRUE(!digits.Empty() && digits.left > paper.left && digits.right < paper.right &&
                        digits.top > paper.top && digits.bottom < paper.bottom);
            EXPECT_NO_THROW(ToIndexed(icon[1], StandardSixteenColours(), 16));
        }
    }
    EXPECT_THROW(DrawPreview(LayoutOfPreviewIndex(0), 40), std::invalid_argument);
    EXPECT_THROW(DrawSortedCopiesIcon(300), std::invalid_argument);
}

TEST(ResourceArt, FilesAreRewrittenOnlyWhenTheirContentChanges)
{
    const std::string path = (std::filesystem::temp_directory_path() / "resource_art_test.bin").string();
    std::filesystem::remove(path);
    EXPECT_TRUE(WriteIfChanged(path, {1, 2, 3}));
    EXPECT_FALSE(WriteIfChanged(path, {1, 2, 3}));
    EXPECT_TRUE(WriteIfChanged(path, {1, 2}));
    EXPECT_EQ(std::filesystem::file_size(path), 2u);
    std::filesystem::remove(path);
}

}  // namespace
