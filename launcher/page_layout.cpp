#include "page_layout.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

const double kDefaultDpi = 96.0;
const double kLowestScanDpi = 10.0;
const double kGutterMillimetres = 4.0;
const double kMillimetresPerInch = 25.4;

enum class Shape { Portrait, Landscape, Square };

Shape ShapeOf(double width, double height)
{
    return width > height ? Shape::Landscape : height > width ? Shape::Portrait : Shape::Square;
}

double Fraction(Align align) { return align == Align::Start ? 0.0 : align == Align::Centre ? 0.5 : 1.0; }

int32_t Round(double value) { return static_cast<int32_t>(std::lround(value)); }

// The spans [from, to) of one or two equal parts of [0, length), with
// `gutter` between two; the gutter never takes more than half the length.
std::vector<std::pair<int32_t, int32_t>> SplitAxis(int32_t length, int32_t count, int32_t gutter)
{
    if (count < 2)
        return {{0, length}};
    const int32_t gap = std::max(0, std::min(gutter, length / 2));
    const int32_t part = (length - gap) / 2;
    return {{0, part}, {length - part, length}};
}

// One axis of a placement: the page spans [start, start + length) in device
// pixels, inside the cell [cellStart, cellEnd) but for rounding.
void PlaceAxis(double start, double length, int32_t cellStart, int32_t cellEnd, int32_t& targetFrom,
               int32_t& targetTo)
{
    targetFrom = std::max(cellStart, Round(start));
    targetTo = std::min(cellEnd, Round(start + length));
    if (targetTo <= targetFrom)
        targetTo = std::min(cellEnd, targetFrom + 1);
}

}  // namespace

int32_t GutterSize(double deviceDpi)
{
    return std::max(1, Round(deviceDpi * kGutterMillimetres / kMillimetresPerInch));
}

std::vector<Rect> GridCells(int32_t width, int32_t height, int32_t pagesPerSheet, int32_t gutterX,
                            int32_t gutterY)
{
    int32_t columns = 1;
    int32_t rows = 1;
    if (pagesPerSheet == 2)
        (height >= width ? rows : columns) = 2;
    else if (pagesPerSheet == 4)
        columns = rows = 2;

    std::vector<Rect> cells;
    for (const auto& y : SplitAxis(height, rows, gutterY)) {
        for (const auto& x : SplitAxis(width, columns, gutterX)) {
            Rect cell;
            cell.left = x.first;
            cell.right = x.second;
            cell.top = y.first;
            cell.bottom = y.second;
            cells.push_back(cell);
        }
    }
    return cells;
}

std::vector<Rect> TurnedReadingOrder(std::vector<Rect> cells)
{
    // Turned a quarter to the right, the sheet's columns become rows from
    // the top (left column first) and, within a row, its bottom comes first.
    std::stable_sort(cells.begin(), cells.end(), [](const Rect& a, const Rect& b) {
        return a.left != b.left ? a.left < b.left : a.top > b.top;
    });
    return cells;
}

bool TurnsPage(const PageImageSize& image, const Rect& cell, double deviceDpiX,
               double deviceDpiY, const LayoutOptions& options)
{
    if (!options.autoRotate || image.width <= 0 || image.height <= 0 || cell.Width() <= 0 ||
        cell.Height() <= 0)
        return false;
    const Shape page =
        ShapeOf(image.width / EffectiveDpi(image.dpiX), image.height / EffectiveDpi(image.dpiY));
    const Shape area = ShapeOf(cell.Width() / deviceDpiX, cell.Height() / deviceDpiY);
    return page != Shape::Square && area != Shape::Square && page != area;
}

bool SheetReadTurned(const PageImageSize& firstPage, int32_t width, int32_t height,
                     double deviceDpiX, double deviceDpiY, const LayoutOptions& options)
{
    const std::vector<Rect> cells = GridCells(width, height, options.pagesPerSheet,
                                              GutterSize(deviceDpiX), GutterSize(deviceDpiY));
    return cells.size() > 1 && TurnsPage(firstPage, cells.front(), deviceDpiX, deviceDpiY, options);
}

std::vector<Rect> SheetCells(const PageImageSize& firstPage, int32_t width, int32_t height,
                             double deviceDpiX, double deviceDpiY, const LayoutOptions& options)
{
    const std::vector<Rect> cells = GridCells(width, height, options.pagesPerSheet,
                                              GutterSize(deviceDpiX), GutterSize(deviceDpiY));
    if (SheetReadTurned(firstPage, width, height, deviceDpiX, deviceDpiY, options))
        return TurnedReadingOrder(cells);
    return cells;
}

double EffectiveDpi(double stated)
{
    return std::isfinite(stated) && stated >= kLowestScanDpi ? stated : kDefaultDpi;
}

PagePlacement PlacePage(const PageImageSize& image, const Rect& cell, double deviceDpiX,
                        double deviceDpiY, const LayoutOptions& options)
{
    PagePlacement placement;
    if (image.width <= 0 || image.height <= 0 || cell.Width() <= 0 || cell.Height() <= 0)
        return placement;

    double dpiX = EffectiveDpi(image.dpiX);
    double dpiY = EffectiveDpi(image.dpiY);
    int32_t pixelsX = image.width;
    int32_t pixelsY = image.height;
    placement.rotate = TurnsPage(image, cell, deviceDpiX, deviceDpiY, options);
    if (placement.rotate) {
        std::swap(pixelsX, pixelsY);
        std::swap(dpiX, dpiY);
    }

    double width = pixelsX / dpiX * deviceDpiX;
    double height = pixelsY / dpiY * deviceDpiY;
    const double fits = std::min(cell.Width() / width, cell.Height() / height);
    // Fit scales either way; full size only shrinks what is larger than the cell.
    const double scale = options.fitToArea ? fits : std::min(1.0, fits);
    width *= scale;
    height *= scale;
    const double left = cell.left + (cell.Width() - width) * Fraction(options.horizontal);
    const double top = cell.top + (cell.Height() - height) * Fraction(options.vertical);

    placement.source.right = pixelsX;
    placement.source.bottom = pixelsY;
    PlaceAxis(left, width, cell.left, cell.right, placement.target.left, placement.target.right);
    PlaceAxis(top, height, cell.top, cell.bottom, placement.target.top, placement.target.bottom);
    return placement;
}

int32_t FrameThickness(double deviceDpi) { return std::max(1, Round(deviceDpi / 100.0)); }

std::vector<Rect> FrameEdges(const Rect& around, int32_t thicknessX, int32_t thicknessY)
{
    if (around.Width() <= 2 * thicknessX || around.Height() <= 2 * thicknessY)
        return {around};
    return {{around.left, around.top, around.right, around.top + thicknessY},
            {around.left, around.bottom - thicknessY, around.right, around.bottom},
            {around.left, around.top + thicknessY, around.left + thicknessX,
             around.bottom - thicknessY},
            {around.right - thicknessX, around.top + thicknessY, around.right,
             around.bottom - thicknessY}};
}
