#include "sheet_reading.h"

#include <algorithm>
#include <cmath>
#include <sstream>

namespace {

const int kBar = 40;

// Ink over this share of a cell's width and height is a placeholder's frame.
const double kFilledShare = 0.75;

}  // namespace

InkPattern NumberBar(int k)
{
    return [k](int x, int y) { return y < kBar && x < kBar * (k + 1); };
}

RenderedPage TurnedToRead(const RenderedPage& sheet)
{
    RenderedPage turned;
    turned.dpi = sheet.dpi;
    turned.width = sheet.height;
    turned.height = sheet.width;
    turned.gray.resize(sheet.gray.size());
    for (int y = 0; y < sheet.height; ++y)
        for (int x = 0; x < sheet.width; ++x)
            turned.gray[static_cast<size_t>(x) * turned.width + (sheet.height - 1 - y)] =
                sheet.gray[static_cast<size_t>(y) * sheet.width + x];
    return turned;
}

InchBox TurnedToRead(const InchBox& box, double sheetHeight)
{
    return InchBox{sheetHeight - box.bottom, box.left, sheetHeight - box.top, box.right};
}

InchBox Cell(const InchBox& area, int column, int row, int columns, int rows, double gutter)
{
    const double width = (area.Width() - (columns - 1) * gutter) / columns;
    const double height = (area.Height() - (rows - 1) * gutter) / rows;
    const double left = area.left + column * (width + gutter);
    const double top = area.top + row * (height + gutter);
    return InchBox{left, top, left + width, top + height};
}

InchBox Part(const InchBox& area, int column, int row, int columns, int rows)
{
    return Cell(area, column, row, columns, rows, 0);
}

std::string Reading(const RenderedPage& sheet, const InchBox& area, int columns, int rows)
{
    std::ostringstream text;
    for (int row = 0; row < rows; ++row) {
        text << (row > 0 ? " / " : "");
        for (int column = 0; column < columns; ++column) {
            const InchBox cell = Part(area, column, row, columns, rows);
            text << (column > 0 ? " " : "");
            InchBox bar;
            if (!sheet.InkBox(bar, cell)) {
                text << "-";
                continue;
            }
            if (bar.Width() > kFilledShare * cell.Width() &&
                bar.Height() > kFilledShare * cell.Height()) {
                text << "P";
                continue;
            }
            const bool upright = bar.Width() > bar.Height() &&
                                 bar.top < (cell.top + cell.bottom) / 2 &&
                                 bar.left < (cell.left + cell.right) / 2;
            const long number =
                std::lround(std::max(bar.Width(), bar.Height()) / std::min(bar.Width(), bar.Height())) - 1;
            text << (upright ? "" : "(") << number << (upright ? "" : ")");
        }
    }
    return text.str();
}
