// The launcher's layout arithmetic where the printed tests cannot reach it
// cheaply: full-size pages larger than their cell, the rotation decision on
// physical shape, the order and gutter of a sheet's cells, pages without a
// resolution, frames, and sheets that combine several pages with copies.
#include <gtest/gtest.h>

#include <limits>

#include "launcher/page_layout.h"
#include "launcher/sheet_plan.h"

namespace {

Rect R(int32_t left, int32_t top, int32_t right, int32_t bottom)
{
    Rect r;
    r.left = left;
    r.top = top;
    r.right = right;
    r.bottom = bottom;
    return r;
}

PageImageSize Image(int32_t width, int32_t height, double dpiX, double dpiY = 0)
{
    PageImageSize size;
    size.width = width;
    size.height = height;
    size.dpiX = dpiX;
    size.dpiY = dpiY == 0 ? dpiX : dpiY;
    return size;
}

LayoutOptions Options(int32_t position, bool fit, bool rotate = false)
{
    LayoutOptions options;
    options.horizontal = static_cast<Align>(position / 3);
    options.vertical = static_cast<Align>(position % 3);
    options.fitToArea = fit;
    options.autoRotate = rotate;
    return options;
}

TEST(LauncherLayout, FullSizeShrinksWhatDoesNotFitItsCellKeepingItsAspectAndNeverEnlarges)
{
    // Thirty inches by five at 100 dpi on a 100 dpi device, in a cell ten
    // inches square: ten inches by a sixth of that, the position moving it
    // within the cell's height only.
    const Rect cell = R(0, 0, 1000, 1000);
    const PageImageSize wide = Image(3000, 500, 100);
    const PagePlacement top = PlacePage(wide, cell, 100, 100, Options(0, false));
    EXPECT_EQ(top.source, R(0, 0, 3000, 500)) << "the whole page is drawn";
    EXPECT_EQ(top.target, R(0, 0, 1000, 167));
    EXPECT_EQ(PlacePage(wide, cell, 100, 100, Options(4, false)).target, R(0, 417, 1000, 583));
    EXPECT_EQ(PlacePage(wide, cell, 100, 100, Options(8, false)).target, R(0, 833, 1000, 1000));

    // Tall, on a device whose dots are not square (300 x 600 dpi): two
    // inches by four in a cell of one inch by one, half an inch by one.
    const PagePlacement tall =
        PlacePage(Image(200, 400, 100), R(30, 60, 330, 660), 300, 600, Options(4, false));
    EXPECT_EQ(tall.source, R(0, 0, 200, 400));
    EXPECT_EQ(tall.target, R(105, 60, 255, 660));

    // Coarse pixels (three inches at 10 dpi) shrink like fine ones.
    const PagePlacement coarse =
        PlacePage(Image(30, 30, 10), R(0, 0, 105, 105), 100, 100, Options(4, false));
    EXPECT_EQ(coarse.source, R(0, 0, 30, 30));
    EXPECT_EQ(coarse.target, R(0, 0, 105, 105));

    // A page that fits keeps its own size; fit enlarges it to the cell.
    EXPECT_EQ(PlacePage(Image(100, 50, 100), cell, 100, 100, Options(0, false)).target,
              R(0, 0, 100, 50));
    EXPECT_EQ(PlacePage(Image(100, 50, 100), cell, 100, 100, Options(0, true)).target,
              R(0, 0, 1000, 500));
}

TEST(LauncherLayout, RotationFollowsThePhysicalShapeOfPageAndCell)
{
    const Rect portraitCell = R(0, 0, 800, 1100);
    const Rect landscapeCell = R(0, 0, 1100, 800);
    const PagePlacement turned =
        PlacePage(Image(200, 100, 100), portraitCell, 100, 100, Options(4, false, true));
    EXPECT_TRUE(turned.rotate);
    EXPECT_EQ(turned.source, R(0, 0, 100, 200));
    EXPECT_EQ(turned.target, R(350, 450, 450, 650));

    EXPECT_TRUE(PlacePage(Image(100, 200, 100), landscapeCell, 100, 100, Options(4, true, true)).rotate);
    EXPECT_FALSE(PlacePage(Image(100, 100, 100), portraitCell, 100, 100, Options(4, true, true)).rotate);
    // 200 x 100 pixels at 200 x 100 dpi is one inch square: nothing to turn.
    EXPECT_FALSE(PlacePage(Image(200, 100, 200, 100), portraitCell, 100, 100, Options(4, true, true)).rotate);
    EXPECT_EQ(PlacePage(Image(200, 100, 200, 100), R(0, 0, 1000, 1000), 300, 600, Options(0, false)).target,
              R(0, 0, 300, 600));
}

TEST(LauncherLayout, PagesWithoutAUsableResolutionCountAsNinetySixDpi)
{
    EXPECT_EQ(EffectiveDpi(0), 96);
    EXPECT_EQ(EffectiveDpi(1), 96);  // an aspect ratio, not a resolution
    EXPECT_EQ(EffectiveDpi(std::numeric_limits<double>::quiet_NaN()), 96);
    EXPECT_EQ(EffectiveDpi(299.9994), 299.9994);
}

TEST(LauncherLayout, AFrameLiesJustInsideThePageAndFillsWhatIsTooSmall)
{
    EXPECT_EQ(FrameThickness(300), 3);
    EXPECT_EQ(FrameThickness(72), 1);
    EXPECT_EQ(FrameEdges(R(10, 20, 110, 70), 3, 2),
              (std::vector<Rect>{R(10, 20, 110, 22), R(10, 68, 110, 70), R(10, 22, 13, 68),
                                 R(107, 22, 110, 68)}));
    EXPECT_EQ(FrameEdges(R(10, 20, 15, 70), 3, 3), (std::vector<Rect>{R(10, 20, 15, 70)}));
}

TEST(LauncherSheets, CellsKeepAGutterAndTurnedSheetsReadOneTwoThreeFour)
{
    // 4 mm is 40 dots at 254 dpi; the outer cells reach the area's edges.
    EXPECT_EQ(GutterSize(254), 40);
    EXPECT_EQ(GridCells(1000, 1400, 4, 40, 30),
              (std::vector<Rect>{R(0, 0, 480, 685), R(520, 0, 1000, 685), R(0, 715, 480, 1400),
                                 R(520, 715, 1000, 1400)}));

    // Landscape paper (about 11 x 8 inches at 254 dpi), two portrait cells:
    // landscape pages are turned, and the sheet turned to read has its left
    // cell on top: the order stays left, right.
    const PageImageSize landscapePage = Image(300, 200, 100);
    LayoutOptions options = Options(4, false, true);
    options.pagesPerSheet = 2;
    EXPECT_EQ(SheetCells(landscapePage, 2800, 2000, 254, 254, options),
              (std::vector<Rect>{R(0, 0, 1380, 2000), R(1420, 0, 2800, 2000)}));
    // Four of them on portrait paper: 1 2 / 3 4 once turned is bottom left,
    // top left, bottom right, top right on the sheet; upright pages keep
    // the rows.
    options.pagesPerSheet = 4;
    const Rect topLeft = R(0, 0, 980, 1380), topRight = R(1020, 0, 2000, 1380);
    const Rect bottomLeft = R(0, 1420, 980, 2800), bottomRight = R(1020, 1420, 2000, 2800);
    EXPECT_EQ(SheetCells(landscapePage, 2000, 2800, 254, 254, options),
              (std::vector<Rect>{bottomLeft, topLeft, bottomRight, topRight}));
    options.autoRotate = false;
    EXPECT_EQ(SheetCells(landscapePage, 2000, 2800, 254, 254, options),
              (std::vector<Rect>{topLeft, topRight, bottomLeft, bottomRight}));
}

TEST(LauncherSheets, SeveralPagesPerSheetWithCopiesRepeatSetsOrSheets)
{
    EXPECT_EQ(PlanSheets(5, 4, 2, true), (std::vector<Sheet>{{0, 1, 2, 3}, {4}, {0, 1, 2, 3}, {4}}));
    EXPECT_EQ(PlanSheets(3, 2, 2, false), (std::vector<Sheet>{{0, 1}, {0, 1}, {2}, {2}}));
}

}  // namespace
