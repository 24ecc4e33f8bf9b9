#include "page_layout.h"

#include <algorithm>
#include <cmath>

namespace {

const double kDefaultDpi = 96.0;
const double kLowestScanDpi = 10.0;

enum class Shape { Portrait, Landscape, Square };

Shape ShapeOf(double width, double height)
{
    return width > height ? Shape::Landscape : height > width ? Shape::Portrait : Shape::Square;
}

double Fraction(Align align) { return align == Align::Start ? 0.0 : align == Align::Centre ? 0.5 : 1.0; }

int32_t Round(double value) { return static_cast<int32_t>(std::lround(value)); }

// One axis of a placement: the drawn image span [start, start + length)
// against the cell [cellStart, cellEnd) for an image of `pixels` pixels.
void PlaceAxis(double start, double length, int32_t cellStart, int32_t cellEnd, int32_t pixels,
               int32_t& sourceFrom, int32_t& sourceTo, int32_t& targetFrom, int32_t& targetTo)
{
    const double perPixel = length / pixels;
    const double visibleFrom = std::max(start, static_cast<double>(cellStart));
    const double visibleTo = std::min(start + length, static_cast<double>(cellEnd));
    sourceFrom = std::max(0, static_cast<int32_t>(std::floor((visibleFrom - start) / perPixel + 1e-9)));
    sourceTo = std::min(pixels, static_cast<int32_t>(std::ceil((visibleTo - start) / perPixel - 1e-9)));
    if (sourceTo <= sourceFrom)
        sourceTo = std::min(pixels, sourceFrom + 1);
    // Whole source pixels may reach a little past the cell: the target is
    // held inside it, which stretches the edge pixel by less than its size.
    targetFrom = std::max(cellStart, Round(start + sourceFrom * perPixel));
    targetTo = std::min(cellEnd, Round(start + sourceTo * perPixel));
    if (targetTo <= targetFrom)
        targetTo = std::min(cellEnd, targetFrom + 1);
}

}  // namespace

std::vector<Rect> SheetCells(int32_t width, int32_t height, int32_t pagesPerSheet)
{
    if (pagesPerSheet == 2) {
        if (height >= width) {
            const int32_t middle = height / 2;
            return {{0, 0, width, middle}, {0, middle, width, height}};
        }
        const int32_t middle = width / 2;
        return {{0, 0, middle, height}, {middle, 0, width, height}};
    }
    if (pagesPerSheet == 4) {
        const int32_t x = width / 2;
        const int32_t y = height / 2;
        return {{0, 0, x, y}, {x, 0, width, y}, {0, y, x, height}, {x, y, width, height}};
    }
    return {{0, 0, width, height}};
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
    const Shape page = ShapeOf(pixelsX / dpiX, pixelsY / dpiY);
    const Shape area = ShapeOf(cell.Width() / deviceDpiX, cell.Height() / deviceDpiY);
    placement.rotate = options.autoRotate && page != Shape::Square && area != Shape::Square &&
                       page != area;
    if (placement.rotate) {
        std::swap(pixelsX, pixelsY);
        std::swap(dpiX, dpiY);
    }

    double width = pixelsX / dpiX * deviceDpiX;
    double height = pixelsY / dpiY * deviceDpiY;
    if (options.fitToArea) {
        const double scale = std::min(cell.Width() / width, cell.Height() / height);
        width *= scale;
        height *= scale;
    }
    const double left = cell.left + (cell.Width() - width) * Fraction(options.horizontal);
    const double top = cell.top + (cell.Height() - height) * Fraction(options.vertical);

    PlaceAxis(left, width, cell.left, cell.right, pixelsX, placement.source.left,
              placement.source.right, placement.target.left, placement.target.right);
    PlaceAxis(top, height, cell.top, cell.bottom, pixelsY, placement.source.top,
              placement.source.bottom, placement.target.top, placement.target.bottom);
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
