// Where a page image lands on a sheet: the sheet's cells, automatic
// rotation, fit or full size, the nine positions, clipping and the frame.
// All in device pixels of the printable area, whose top-left corner is 0,0.
#pragma once
#include <cstdint>
#include <vector>

#include "job_settings.h"

struct Rect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;

    int32_t Width() const { return right - left; }
    int32_t Height() const { return bottom - top; }
    bool operator==(const Rect& other) const
    {
        return left == other.left && top == other.top && right == other.right &&
               bottom == other.bottom;
    }
};

// The cells of a sheet, in page order. One page: the whole area. Two: the
// area halved across its longer side (top and bottom on portrait paper, left
// and right on landscape paper). Four: two rows of two, left to right, top
// to bottom.
std::vector<Rect> SheetCells(int32_t width, int32_t height, int32_t pagesPerSheet);

// A page file's size in pixels and its resolution as the file states it.
struct PageImageSize {
    int32_t width = 0;
    int32_t height = 0;
    double dpiX = 0;
    double dpiY = 0;
};

// The resolution to print a page at: the stated one, or 96 dpi when the file
// states none (0), or one no scan has (below 10 dpi: formats that store only
// an aspect ratio report such numbers).
double EffectiveDpi(double stated);

struct PagePlacement {
    bool rotate = false;  // turn the image a quarter turn to the left (its top
                          // to the left edge) before drawing
    Rect source;          // the part of the (turned) image that is drawn, in its pixels
    Rect target;          // where that part is drawn; inside the cell
};

// Places a page in a cell of a device with the given resolution.
// - Rotation: with automatic rotation, a page whose physical shape is
//   landscape in a portrait cell, or portrait in a landscape cell, is turned.
// - Size: fit scales the page up or down to the largest size that fits the
//   cell keeping its aspect; full size prints it at its own physical size.
// - Position: left/centre/right and top/centre/bottom within the cell.
// - A page larger than its cell is clipped to it: the part outside the cell
//   is not drawn, and the position decides which part stays.
PagePlacement PlacePage(const PageImageSize& image, const Rect& cell, double deviceDpiX,
                        double deviceDpiY, const LayoutOptions& options);

// Width of a frame line: a hundredth of an inch, at least one pixel.
int32_t FrameThickness(double deviceDpi);

// The four strips of a frame drawn just inside `around`: top, bottom, left,
// right. A rectangle too small for a hollow frame is filled.
std::vector<Rect> FrameEdges(const Rect& around, int32_t thicknessX, int32_t thicknessY);
