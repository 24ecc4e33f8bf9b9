// Where a page image lands on a sheet: the sheet's cells and the gutter
// between them, automatic rotation and the reading order of turned pages,
// fit or full size, the nine positions and the frame.
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
    Rect source;          // the part of the (turned) image that is drawn, in its
                          // pixels: the whole image
    Rect target;          // where that part is drawn; inside the cell
};

// Space left between neighbouring cells of a sheet: 4 mm, at least one pixel.
int32_t GutterSize(double deviceDpi);

// The cells of a sheet of width x height pixels, in the order the sheet
// shows them upright: one page fills the whole area; two halve it across its
// longer side (top and bottom on portrait paper, left and right on landscape
// paper); four make two rows of two, left to right, top to bottom. A gutter
// of gutterX pixels lies between columns and of gutterY between rows; the
// outer cells reach the edges of the area.
std::vector<Rect> GridCells(int32_t width, int32_t height, int32_t pagesPerSheet, int32_t gutterX,
                            int32_t gutterY);

// The same cells in the order a reader meets them once the sheet is turned a
// quarter turn to the right, so that pages turned to the left stand upright:
// the left column of the sheet becomes the top row, its bottom the left.
std::vector<Rect> TurnedReadingOrder(std::vector<Rect> cells);

// Whether a page is turned in a cell: with automatic rotation, a page whose
// physical shape is landscape in a portrait cell, or portrait in a landscape
// cell, is turned a quarter turn to the left.
bool TurnsPage(const PageImageSize& image, const Rect& cell, double deviceDpiX,
               double deviceDpiY, const LayoutOptions& options);

// Whether a sheet of two or four pages is read turned: when its first page
// is turned in the first cell.
bool SheetReadTurned(const PageImageSize& firstPage, int32_t width, int32_t height,
                     double deviceDpiX, double deviceDpiY, const LayoutOptions& options);

// The cells of one sheet of the printable area, in page order, with the
// gutter the device's resolution gives. When the sheet's first page is
// turned the sheet is read turned, and its cells come in turned reading
// order: two pages read 1 2 from left to right and four read 1 2 / 3 4,
// as a reader holds the sheet to read them.
std::vector<Rect> SheetCells(const PageImageSize& firstPage, int32_t width, int32_t height,
                             double deviceDpiX, double deviceDpiY, const LayoutOptions& options);

// Places a page in a cell of a device with the given resolution.
// - Rotation: as TurnsPage decides.
// - Size: fit scales the page up or down to the largest size that fits the
//   cell keeping its aspect; full size prints it at its own physical size,
//   or, when that does not fit the cell, shrunk to the largest size that
//   does, keeping its aspect. Full size never enlarges.
// - Position: left/centre/right and top/centre/bottom within the cell.
// The whole page is always drawn.
PagePlacement PlacePage(const PageImageSize& image, const Rect& cell, double deviceDpiX,
                        double deviceDpiY, const LayoutOptions& options);

// Width of a frame line: a hundredth of an inch, at least one pixel.
int32_t FrameThickness(double deviceDpi);

// The four strips of a frame drawn just inside `around` (a placed page's
// target, so each page of a sheet has its own frame): top, bottom, left,
// right. A rectangle too small for a hollow frame is filled.
std::vector<Rect> FrameEdges(const Rect& around, int32_t thicknessX, int32_t thicknessY);
