// What KESTRO.EXE makes of the pixels of page files other programs write,
// read from the rendered sheets: transparent parts of a PNG print as white
// paper, every page of a multi-page TIFF prints in order within the n-up
// layout and the copies, an enlarged page has smooth edges and a
// black-and-white scan stays black and white.
#include <windows.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "print_fixture.h"
#include "win32_shared/kernel_handles_win32.h"

namespace {

// Page k is a black bar k half inches wide and half an inch high (at 100
// dpi): its printed width tells which page it is.
const double kUnit = 0.5;

int PageNumber(const RenderedPage& page, const InchBox& within)
{
    InchBox box;
    if (!page.InkBox(box, within))
        return 0;
    return static_cast<int>(std::lround(box.Width() / kUnit));
}

// The numbers of the pages in the top and bottom halves of each sheet.
std::vector<std::vector<int>> HalvesOf(const std::vector<RenderedPage>& sheets, const InchBox& area)
{
    std::vector<std::vector<int>> numbers;
    const double middle = (area.top + area.bottom) / 2;
    for (const RenderedPage& sheet : sheets)
        numbers.push_back({PageNumber(sheet, InchBox{area.left, area.top, area.right, middle}),
                           PageNumber(sheet, InchBox{area.left, middle, area.right, area.bottom})});
    return numbers;
}

int Level(const RenderedPage& page, double x, double y)
{
    const int px = (std::min)(page.width - 1, (std::max)(0, static_cast<int>(x * page.dpi)));
    const int py = (std::min)(page.height - 1, (std::max)(0, static_cast<int>(y * page.dpi)));
    return page.gray[static_cast<size_t>(py) * page.width + px];
}

// The grey levels of one row of the sheet between two points, inches.
std::vector<int> LevelsAlong(const RenderedPage& page, double y, double from, double to)
{
    std::vector<int> levels;
    for (int px = static_cast<int>(from * page.dpi); px < static_cast<int>(to * page.dpi); ++px)
        levels.push_back(Level(page, (px + 0.5) / page.dpi, y));
    return levels;
}

int CountBetween(const std::vector<int>& levels, int low, int high)
{
    return static_cast<int>(std::count_if(levels.begin(), levels.end(),
                                          [&](int level) { return level > low && level < high; }));
}

class LauncherPagePixels : public LauncherPrintTest {
protected:
    std::string DataPath(const std::string& name)
    {
        std::string path = Output();
        path.replace(path.rfind('\\'), std::string::npos, "\\data\\" + name);
        return path;
    }
};

TEST_F(LauncherPagePixels, TransparentPartsOfAPngPrintAsWhitePaper)
{
    // Three inches by one at 100 dpi, in thirds: fully transparent (black
    // above, red below, as colour values that must not show), black at
    // alpha 96 of 255 (a light grey on paper), opaque black.
    const std::string png = DataPath("transparent.png");
    ASSERT_TRUE(WritePngPage(png, 300, 100, 100, [](int x, int y) -> uint32_t {
        if (x < 100)
            return y < 50 ? 0x00000000u : 0x00FF0000u;
        return x < 200 ? 0x60000000u : 0xFF000000u;
    }));
    WriteJobSettings(41, JobOptions());  // full size, centred
    ASSERT_TRUE(PrintGroup(41, 1, {png}));
    const std::vector<RenderedPage> sheets = Printed();
    ASSERT_EQ(sheets.size(), 1u);
    const RenderedPage& sheet = sheets[0];

    const InchBox area = PrintableArea();
    const double x = (area.left + area.right) / 2 - 1.5;
    const double y = (area.top + area.bottom) / 2 - 0.5;
    InchBox ink;
    ASSERT_TRUE(sheet.InkBox(ink));
    EXPECT_TRUE(BoxNear(ink, x + 2, y, x + 3, y + 1)) << "only the opaque third is dark";
    for (double down : {0.25, 0.75}) {
        EXPECT_GE(Level(sheet, x + 0.5, y + down), 250) << "transparent: white, at " << down;
        EXPECT_NEAR(Level(sheet, x + 1.5, y + down), 159, 12) << "partly transparent: light grey";
        EXPECT_LE(Level(sheet, x + 2.5, y + down), 5) << "opaque: as drawn";
    }
    EXPECT_FALSE(Exists(png)) << "printed pages are deleted";
}

TEST_F(LauncherPagePixels, EveryPageOfAMultiPageTiffPrintsInOrderWithCopiesAndTwoPagesASheet)
{
    // A three-page black-and-white TIFF as a scanner writes it, followed by
    // a one-page file: four pages, two a sheet, two sorted copies.
    std::vector<TiffPage> pages;
    for (int k = 1; k <= 3; ++k)
        pages.push_back(TiffPage{50 * k, 50, AllInk});
    const std::string scan = DataPath("scan.tif");
    ASSERT_TRUE(WriteTiffPages(scan, pages, 100));
    const std::string fourth = WritePage("page4.bmp", 200, 50, AllInk);
    JobOptions twoUp;
    twoUp.nup = 1;
    twoUp.copies = 2;
    twoUp.sort = 1;
    WriteJobSettings(42, twoUp);
    ASSERT_TRUE(PrintGroup(42, 1, {scan, fourth}));
    const InchBox area = PrintableArea();
    EXPECT_EQ(HalvesOf(Printed(), area),
              (std::vector<std::vector<int>>{{1, 2}, {3, 4}, {1, 2}, {3, 4}}));
    EXPECT_NE(LogOfThisTest().find("scan.tif: 3 pages"), std::string::npos) << LogOfThisTest();
    EXPECT_FALSE(Exists(scan));
    EXPECT_FALSE(Exists(fourth));

    // Alone, one page a sheet, copies together: each page's copies in turn.
    const std::string again = DataPath("scan2.tif");
    ASSERT_TRUE(WriteTiffPages(again, pages, 100));
    JobOptions unsorted;
    unsorted.copies = 2;
    WriteJobSettings(43, unsorted);
    ASSERT_TRUE(PrintGroup(43, 1, {again}));
    std::vector<int> numbers;
    for (const RenderedPage& sheet : Printed())
        numbers.push_back(PageNumber(sheet, InchBox()));
    EXPECT_EQ(numbers, (std::vector<int>{1, 1, 2, 2, 3, 3}));
}

TEST_F(LauncherPagePixels, SixteenBitGreyAndCmykTiffsPrintThroughTheLaunchersOwnConversion)
{
    // Wine's imaging component decodes a 16-bit CMYK TIFF but refuses to
    // convert it: the launcher converts it itself. Pages 2 and 3's bars, in
    // black ink and in 16-bit grey.
    const std::string cmyk = DataPath("cmyk16.tif");
    const std::string grey = DataPath("grey16.tif");
    ASSERT_TRUE(WriteTiff16Page(cmyk, Tiff16Kind::Cmyk, 100, 50, 100, AllInk));
    ASSERT_TRUE(WriteTiff16Page(grey, Tiff16Kind::Gray, 150, 50, 100, AllInk));
    WriteJobSettings(45, JobOptions());
    ASSERT_TRUE(PrintGroup(45, 1, {cmyk, grey}));
    std::vector<int> numbers;
    for (const RenderedPage& sheet : Printed())
        numbers.push_back(PageNumber(sheet, InchBox()));
    EXPECT_EQ(numbers, (std::vector<int>{2, 3}));
    const std::string log = LogOfThisTest();
    EXPECT_EQ(log.find("not printed"), std::string::npos) << log;
    EXPECT_NE(log.find("converted from its own pixel format"), std::string::npos) << log;
}

TEST_F(LauncherPagePixels, EnlargedPagesHaveSmoothEdgesWhileBlackAndWhiteScansStayCrisp)
{
    // Eight by eight pixels, the left half black, the right half white,
    // fitted to the sheet: each pixel becomes about an inch. The colour
    // page has one grey pixel in its bottom-right corner; the scan is one
    // bit per pixel.
    const InkPattern leftHalf = [](int x, int) { return x < 4; };
    const std::string photo = WritePage("photo.bmp", 8, 8, leftHalf);
    {
        // The grey pixel, written into the bottom-up BMP's first row.
        const KernelHandle file(CreateFileA(photo.c_str(), GENERIC_READ | GENERIC_WRITE, 0,
                                            nullptr, OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(file);
        const BYTE grey[3] = {200, 200, 200};
        DWORD written = 0;
        SetFilePointer(file.Get(), sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER) + 7 * 3,
                       nullptr, FILE_BEGIN);
        EXPECT_TRUE(WriteFile(file.Get(), grey, sizeof grey, &written, nullptr) && written == 3);
    }
    const std::string scan = DataPath("scan.bmp");
    ASSERT_TRUE(WriteMonochromeBmpPage(scan, 8, 8, leftHalf));
    JobOptions fit;
    fit.size = 0;
    WriteJobSettings(44, fit);
    ASSERT_TRUE(PrintGroup(44, 1, {photo, scan}));
    const std::vector<RenderedPage> sheets = Printed();
    ASSERT_EQ(sheets.size(), 2u);

    const InchBox area = PrintableArea();
    const double side = (std::min)(area.Width(), area.Height());
    const double pixel = side / 8;
    const double left = (area.left + area.right) / 2 - side / 2;
    const double middle = (area.top + area.bottom) / 2;
    // Along the middle row, from the first pixel's centre to the last but one.
    const std::vector<int> smooth =
        LevelsAlong(sheets[0], middle, left + pixel / 2, left + 6.5 * pixel);
    const std::vector<int> crisp = LevelsAlong(sheets[1], middle, left + pixel / 2, left + 6.5 * pixel);
    ASSERT_FALSE(smooth.empty());

    // The colour page: black, then a ramp about a pixel wide that only rises,
    // then white.
    EXPECT_LE(smooth.front(), 5);
    EXPECT_GE(smooth.back(), 250);
    EXPECT_TRUE(std::is_sorted(smooth.begin(), smooth.end()));
    const int ramp = CountBetween(smooth, 20, 235);
    EXPECT_GE(ramp, static_cast<int>(0.6 * pixel * sheets[0].dpi)) << "edge in steps, not smooth";
    EXPECT_LE(ramp, static_cast<int>(1.2 * pixel * sheets[0].dpi));

    // The scan: only black and white, with the edge where the pixels meet.
    EXPECT_EQ(CountBetween(crisp, 5, 250), 0) << "a black-and-white scan gained grey";
    InchBox ink;
    ASSERT_TRUE(sheets[1].InkBox(ink));
    EXPECT_TRUE(BoxNear(ink, left, middle - side / 2, left + side / 2, middle + side / 2));
}

}  // namespace
