// How KESTRO.EXE lays pages out on a sheet, read from the rendered sheet as
// a reader sees it: the reading order of two and four pages a sheet, turned
// and upright; full-size pages too large for their cell, shrunk whole with
// their aspect kept; the gutter between the pages of a sheet and the frame
// around each.
#include <windows.h>

#include <algorithm>
#include <cmath>
#include <sstream>
#include <string>
#include <vector>

#include "print_fixture.h"
#include "sheet_reading.h"

namespace {

// A page's outline, a tenth of an inch wide: its ink box is the whole page.
InkPattern Outline(int width, int height)
{
    return [width, height](int x, int y) {
        return x < 10 || y < 10 || x >= width - 10 || y >= height - 10;
    };
}

// The largest box of the given aspect centred in the cell.
InchBox Fitted(const InchBox& cell, double width, double height)
{
    const double scale = std::min(cell.Width() / width, cell.Height() / height);
    const double x = (cell.left + cell.right - width * scale) / 2;
    const double y = (cell.top + cell.bottom - height * scale) / 2;
    return InchBox{x, y, x + width * scale, y + height * scale};
}

bool Near(double a, double b) { return std::abs(a - b) <= 0.06; }

class LauncherLayoutPrint : public LauncherPrintTest {};

TEST_F(LauncherLayoutPrint, SheetsReadInPageOrderAsAReaderHoldsThem)
{
    const InchBox area = PrintableArea();
    // Portrait pages are 2.5 x 3.5 inches, landscape ones 3.5 x 2.5: at their
    // own size they fit every cell, turned or not.
    struct Case {
        const char* what;
        int nup;
        int rotate;
        bool portraitPages;
        int pages;
        bool readTurned;  // the sheet is turned a quarter to the right to read it
        int columns;      // of the sheet as it is read
        int rows;
        std::vector<std::string> sheets;
    };
    const Case cases[] = {
        {"2 a sheet, portrait pages turned", 1, 1, true, 3, true, 2, 1, {"1 2", "3 -"}},
        {"2 a sheet, landscape pages", 1, 1, false, 2, false, 1, 2, {"1 / 2"}},
        {"2 a sheet, portrait pages, no rotation", 1, 0, true, 2, false, 1, 2, {"1 / 2"}},
        {"4 a sheet, landscape pages turned", 2, 1, false, 5, true, 2, 2, {"1 2 / 3 4", "5 - / - -"}},
        {"4 a sheet, portrait pages", 2, 1, true, 4, false, 2, 2, {"1 2 / 3 4"}},
        {"4 a sheet, landscape pages, no rotation", 2, 0, false, 4, false, 2, 2, {"1 2 / 3 4"}},
    };
    unsigned job = 11;
    for (const Case& c : cases) {
        JobOptions options;
        options.nup = c.nup;
        options.rotate = c.rotate;
        WriteJobSettings(job, options);
        std::vector<std::string> pages;
        for (int k = 1; k <= c.pages; ++k)
            pages.push_back(WritePage("order" + std::to_string(job) + "_" + std::to_string(k) + ".bmp",
                                      c.portraitPages ? 250 : 350, c.portraitPages ? 350 : 250,
                                      NumberBar(k)));
        ASSERT_TRUE(PrintGroup(job, 1, pages)) << c.what;
        const std::vector<RenderedPage> sheets = Printed();
        ASSERT_EQ(sheets.size(), c.sheets.size()) << c.what;
        for (size_t s = 0; s < sheets.size(); ++s) {
            const std::string read =
                c.readTurned ? Reading(TurnedToRead(sheets[s]),
                                       TurnedToRead(area, sheets[s].HeightInches()), c.columns, c.rows)
                             : Reading(sheets[s], area, c.columns, c.rows);
            EXPECT_EQ(read, c.sheets[s]) << c.what << ", sheet " << s + 1;
        }
        ++job;
    }
}

TEST_F(LauncherLayoutPrint, PagesShrinkWholeIntoTheirCellsWithAGutterBetweenAndAFrameEach)
{
    const InchBox area = PrintableArea();
    struct Case {
        const char* what;
        int nup;
        int rotate;
        int size;     // 1 full size, 0 fit
        int frame;    // 1: blank pages with a frame; 0: pages with an outline
        int width;    // pixels at 100 dpi
        int height;
        int columns;  // of the sheet as it comes out
        int rows;
        bool turned;
        bool gutter;  // the first two pages reach the gutter between them
    };
    // Full-size pages far from their cells' shapes, so that a page cut to
    // its cell, or squeezed into it, shows; fitted pages that fill their
    // cells up to the gutter.
    const Case cases[] = {
        {"one a sheet, 12 x 6 inches", 0, 0, 1, 0, 1200, 600, 1, 1, false, false},
        {"2 a sheet, 8 x 16 inches turned", 1, 1, 1, 0, 800, 1600, 1, 2, true, false},
        {"4 a sheet, 10 x 5 inches", 2, 0, 1, 0, 1000, 500, 2, 2, false, false},
        {"2 a sheet, tall, fit, framed", 1, 0, 0, 1, 100, 200, 1, 2, false, true},
        {"4 a sheet, wide, fit, framed", 2, 0, 0, 1, 200, 100, 2, 2, false, true},
    };
    unsigned job = 25;
    for (const Case& c : cases) {
        JobOptions options;
        options.nup = c.nup;
        options.rotate = c.rotate;
        options.size = c.size;
        options.frame = c.frame;
        WriteJobSettings(job, options);
        const int count = c.columns * c.rows;
        std::vector<std::string> pages;
        for (int k = 1; k <= count; ++k)
            pages.push_back(WritePage("sized" + std::to_string(job) + "_" + std::to_string(k) + ".bmp",
                                      c.width, c.height,
                                      c.frame ? InkPattern(NoInk) : Outline(c.width, c.height)));
        ASSERT_TRUE(PrintGroup(job, 1, pages)) << c.what;
        const std::vector<RenderedPage> sheets = Printed();
        ASSERT_EQ(sheets.size(), 1u) << c.what;
        std::vector<InchBox> inks(count);
        for (int cell = 0; cell < count; ++cell) {
            const int column = cell % c.columns, row = cell / c.columns;
            const InchBox within = Cell(area, column, row, c.columns, c.rows);
            const InchBox page = c.turned ? Fitted(within, c.height, c.width)
                                          : Fitted(within, c.width, c.height);
            InchBox& ink = inks[cell];
            ASSERT_TRUE(sheets[0].InkBox(ink, Part(area, column, row, c.columns, c.rows)))
                << c.what << ", cell " << cell;
            // The whole outline or frame: the whole page, as large as fits.
            EXPECT_TRUE(BoxNear(ink, page.left, page.top, page.right, page.bottom))
                << c.what << ", cell " << cell;
            EXPECT_FALSE(sheets[0].IsInk((ink.left + ink.right) / 2, (ink.top + ink.bottom) / 2))
                << c.what << ": only the page's edge is ink";
        }
        if (c.gutter) {
            const double gap = c.columns == 2 ? inks[1].left - inks[0].right : inks[1].top - inks[0].bottom;
            EXPECT_TRUE(Near(gap, kGutter)) << c.what << ": " << gap << " inch between the pages";
        }
        ++job;
    }
}

}  // namespace
