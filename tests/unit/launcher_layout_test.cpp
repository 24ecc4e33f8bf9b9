// The launcher's layout arithmetic where the printed tests cannot reach it
// cheaply: clipping of pages larger than their cell, the rotation decision
// on physical shape, pages without a resolution, frames, and sheets that
// combine several pages with several copies.
#include <gtest/gtest.h>

#include <limits>

#include "../../launcher/page_layout.h"
#include "../../launcher/sheet_plan.h"

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

TEST(LauncherLayout, AFullSizePageLargerThanItsCellIsClippedAndThePositionKeepsItsPart)
{
    // Thirty inches wide at 100 dpi on a 100 dpi device, in a cell ten inches wide.
    const Rect cell = R(0, 0, 1000, 1000);
    const PageImageSize wide = Image(3000, 500, 100);
    const PagePlacement left = PlacePage(wide, cell, 100, 100, Options(1, false));
    EXPECT_EQ(left.source, R(0, 0, 1000, 500));
    EXPECT_EQ(left.target, R(0, 250, 1000, 750));
    EXPECT_EQ(PlacePage(wide, cell, 100, 100, Options(4, false)).source, R(1000, 0, 2000, 500));
    EXPECT_EQ(PlacePage(wide, cell, 100, 100, Options(7, false)).source, R(2000, 0, 3000, 500));

    // Source pixels larger than device dots: whole pixels are drawn and the
    // target is held inside the cell (three inches at 10 dpi, cell of 105 dots).
    const PagePlacement coarse =
        PlacePage(Image(30, 30, 10), R(0, 0, 105, 105), 100, 100, Options(4, false));
    EXPECT_EQ(coarse.source, R(9, 9, 21, 21));
    EXPECT_EQ(coarse.target, R(0, 0, 105, 105));
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

TEST(LauncherSheets, SeveralPagesPerSheetWithCopiesRepeatSetsOrSheets)
{
    EXPECT_EQ(PlanSheets(5, 4, 2, true), (std::vector<Sheet>{{0, 1, 2, 3}, {4}, {0, 1, 2, 3}, {4}}));
    EXPECT_EQ(PlanSheets(3, 2, 2, false), (std::vector<Sheet>{{0, 1}, {0, 1}, {2}, {2}}));
    // Two cells on landscape paper: left and right.
    EXPECT_EQ(SheetCells(1400, 1000, 2), (std::vector<Rect>{R(0, 0, 700, 1000), R(700, 0, 1400, 1000)}));
}

}  // namespace
