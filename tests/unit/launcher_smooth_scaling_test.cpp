// Enlarged pages resampled in bands of bounded size, where the printed
// tests cannot reach cheaply: the resolution cap, band arithmetic, and
// bands that read only the drawn part of an image. (Smooth edges, crisp
// scans and transparency are measured on printed sheets.)
#include <gtest/gtest.h>

#include <vector>

#include "launcher/smooth_scaling.h"

namespace {

// A bitmap whose pixel (x, y) has grey level level(x, y).
template <class Level>
Bitmap24 Grey(int32_t width, int32_t height, Level level)
{
    Bitmap24 image;
    EXPECT_TRUE(MakeBitmap(width, height, 1u << 20, image));
    for (int32_t y = 0; y < height; ++y)
        for (int32_t x = 0; x < width; ++x)
            for (int c = 0; c < 3; ++c)
                image.bits[y * image.stride + x * 3 + c] = static_cast<uint8_t>(level(x, y));
    return image;
}

std::vector<int> Row(const Bitmap24& image, int32_t y)
{
    std::vector<int> levels;
    for (int32_t x = 0; x < image.width; ++x)
        levels.push_back(image.Pixel(x, y)[0]);
    return levels;
}

Bitmap24 ResampleWhole(const Bitmap24& image, const Rect& from, const ResampledSize& size)
{
    Bitmap24 out;
    ResampledBand all;
    all.rows = size.height;
    all.target = Rect{0, 0, size.width, size.height};
    EXPECT_TRUE(ResampleBand(image, from, size, all, 1u << 24, out));
    return out;
}

TEST(LauncherSmoothScaling, OnlyEnlargedPagesAreResampledAtMostAtThreeHundredDpiInAbuttingBands)
{
    // 100 × 50 pixels onto 400 × 200 dots: enlarged, resampled to the dots.
    ResampledSize size = SmoothScaledSize(Rect{0, 0, 100, 50}, Rect{10, 20, 410, 220}, 300, 300);
    EXPECT_EQ(size.width, 400);
    EXPECT_EQ(size.height, 200);
    // On a 600-dpi device the resampled image stops at 300 dpi.
    size = SmoothScaledSize(Rect{0, 0, 100, 50}, Rect{0, 0, 1201, 600}, 600, 600);
    EXPECT_EQ(size.width, 601);
    EXPECT_EQ(size.height, 300);
    // Drawn at its size or smaller, or enlarged by less than the cap gives:
    // handed over as it is.
    EXPECT_FALSE(SmoothScaledSize(Rect{0, 0, 100, 50}, Rect{0, 0, 100, 50}, 300, 300).Enlarges());
    EXPECT_FALSE(SmoothScaledSize(Rect{0, 0, 100, 50}, Rect{0, 0, 50, 25}, 300, 300).Enlarges());
    EXPECT_FALSE(SmoothScaledSize(Rect{0, 0, 400, 200}, Rect{0, 0, 800, 400}, 600, 600).Enlarges());
    EXPECT_FALSE(SmoothScaledSize(Rect{0, 0, 0, 50}, Rect{0, 0, 800, 400}, 300, 300).Enlarges());

    // Bands: bounded in bytes (rows of 601 × 3 bytes, padded to 1804), abutting
    // without gap or overlap, covering the target exactly.
    const Rect target = Rect{7, 11, 1208, 611};
    size = SmoothScaledSize(Rect{0, 0, 100, 50}, target, 600, 600);
    const std::vector<ResampledBand> bands = ResampledBands(target, size, 1804 * 64);
    ASSERT_EQ(bands.size(), 5u);  // 300 rows, 64 a band
    int32_t row = 0;
    int32_t top = target.top;
    for (const ResampledBand& band : bands) {
        EXPECT_EQ(band.firstRow, row);
        EXPECT_LE(band.rows, 64);
        EXPECT_EQ(band.target.top, top);
        EXPECT_EQ(band.target.left, target.left);
        EXPECT_EQ(band.target.right, target.right);
        EXPECT_EQ(band.target.Height(), band.rows * 2);
        row += band.rows;
        top = band.target.bottom;
    }
    EXPECT_EQ(row, size.height);
    EXPECT_EQ(top, target.bottom);
    // Even a band budget smaller than a row makes progress, one row a band.
    EXPECT_EQ(ResampledBands(target, size, 1).size(), 300u);
    EXPECT_TRUE(ResampledBands(target, ResampledSize(), 1 << 20).empty());
}

TEST(LauncherSmoothScaling, BandsReadOnlyTheDrawnPartAndTogetherMakeTheWholeImage)
{
    ResampledSize size;
    // The drawn part of a larger image (a page clipped by its cell): the
    // white column right of the part and the black rows below it stay out of
    // its middle, and its last half pixel leads on to them, as the page goes on.
    const Bitmap24 framed = Grey(6, 6, [](int32_t x, int32_t y) {
        return y >= 4 ? 0 : x >= 4 ? 255 : 100;
    });
    size.width = 40;
    size.height = 40;
    const Bitmap24 out = ResampleWhole(framed, Rect{0, 0, 4, 4}, size);
    EXPECT_EQ(out.Pixel(20, 20)[0], 100);
    EXPECT_EQ(out.Pixel(0, 0)[0], 100);
    EXPECT_GT(out.Pixel(39, 20)[0], 100);
    EXPECT_LT(out.Pixel(20, 39)[0], 100);

    // Bands give the same pixels as the whole image at once.
    const Bitmap24 pattern = Grey(5, 4, [](int32_t x, int32_t y) { return (x * 53 + y * 97) % 256; });
    size.width = 23;
    size.height = 17;
    const Bitmap24 whole = ResampleWhole(pattern, Rect{0, 0, 5, 4}, size);
    int32_t checked = 0;
    for (const ResampledBand& band : ResampledBands(Rect{0, 0, 46, 34}, size, 3 * 72)) {
        Bitmap24 part;
        ASSERT_TRUE(ResampleBand(pattern, Rect{0, 0, 5, 4}, size, band, 3 * 72, part));
        for (int32_t y = 0; y < band.rows; ++y, ++checked)
            EXPECT_EQ(Row(part, y), Row(whole, band.firstRow + y)) << band.firstRow + y;
    }
    EXPECT_EQ(checked, 17);
    // A band larger than its budget, or not one of the size's, is refused.
    ResampledBand tooMany;
    tooMany.firstRow = 10;
    tooMany.rows = 8;
    Bitmap24 refused;
    EXPECT_FALSE(ResampleBand(pattern, Rect{0, 0, 5, 4}, size, tooMany, 1 << 20, refused));
    tooMany.firstRow = 0;
    EXPECT_FALSE(ResampleBand(pattern, Rect{0, 0, 5, 4}, size, tooMany, 72, refused));

    // Only pure black and white is left to the driver.
    Bitmap24 scan = Grey(9, 3, [](int32_t x, int32_t y) { return (x + y) % 2 ? 255 : 0; });
    EXPECT_TRUE(IsTwoLevel(scan));
    scan.bits[2 * scan.stride + 8 * 3 + 1] = 254;  // one channel of the last pixel
    EXPECT_FALSE(IsTwoLevel(scan));
    EXPECT_FALSE(IsTwoLevel(pattern));
}

TEST(LauncherDrawnBands, ABandedPageFillsItsTargetExactlyWhateverTheScale)
{
    // Shrunk, kept and enlarged by the driver; bands of 100 rows and, for a
    // page far taller than its target, bands that would fill no row alone.
    struct Case {
        Rect from;
        Rect target;
        size_t maxBandBytes;
    };
    const Case cases[] = {
        {Rect{0, 0, 2479, 3508}, Rect{75, 40, 2404, 3335}, 100 * 7440},
        {Rect{10, 20, 30, 520}, Rect{0, 0, 20, 500}, 100 * 7440},
        {Rect{0, 0, 50, 300}, Rect{5, 5, 55, 1805}, 60 * 7440},
        {Rect{0, 0, 100, 7000}, Rect{0, 10, 10, 13}, 7440},
        {Rect{0, 0, 100, 10}, Rect{0, 0, 100, 100}, 1u << 30},
    };
    for (const Case& c : cases) {
        const std::vector<DrawnBand> bands = DrawnBands(c.from, c.target, 7440, c.maxBandBytes);
        ASSERT_FALSE(bands.empty());
        int32_t row = c.from.top;
        int32_t device = c.target.top;
        for (const DrawnBand& band : bands) {
            EXPECT_EQ(band.from.top, row) << "bands abut";
            EXPECT_EQ(band.target.top, device);
            EXPECT_GT(band.target.Height(), 0) << "every band fills device rows";
            EXPECT_EQ(band.from.left, c.from.left);
            EXPECT_EQ(band.target.right, c.target.right);
            row = band.from.bottom;
            device = band.target.bottom;
        }
        EXPECT_EQ(row, c.from.bottom) << "every row drawn";
        EXPECT_EQ(device, c.target.bottom) << "the whole target filled";
    }
    EXPECT_EQ(DrawnBands(Rect{0, 0, 2479, 3508}, Rect{0, 0, 2000, 3000}, 7440, 4u << 20).size(), 7u);
}

}  // namespace
