// Enlarging a page smoothly. A printer driver given a small image copies
// each pixel into a block of device dots, so an enlarged page prints
// blocky; instead the launcher resamples it (bilinear) to the resolution it
// lands at and hands over that larger image, a band of rows at a time so
// that a large page never needs a second full-size copy in memory.
// Black-and-white scans are left to the driver: interpolation would give
// them grey edges, and copied pixels keep them crisp.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "bitmap24.h"
#include "page_layout.h"

// Above this resolution the resampled image gains nothing a reader can see,
// only spool size: the driver's own copying of 300-dpi pixels is invisible.
const double kSmoothScalingMaxDpi = 300.0;

// The size of the resampled image for `source` (image pixels) drawn into
// `target` (device pixels): the target's size, at most kSmoothScalingMaxDpi.
// Width or height 0 when the page is not enlarged in either direction and is
// drawn as it is.
struct ResampledSize {
    int32_t width = 0;
    int32_t height = 0;

    bool Enlarges() const { return width > 0 && height > 0; }
};
ResampledSize SmoothScaledSize(const Rect& source, const Rect& target, double deviceDpiX,
                               double deviceDpiY);

// True when every pixel is pure black or pure white, as in a scan of one bit
// per pixel.
bool IsTwoLevel(const Bitmap24& image);

// One band of the resampled image: its rows [firstRow, firstRow + rows) and
// the device rectangle they fill. The bands of an image abut exactly and
// together fill the target.
struct ResampledBand {
    int32_t firstRow = 0;
    int32_t rows = 0;
    Rect target;
};
std::vector<ResampledBand> ResampledBands(const Rect& target, const ResampledSize& size,
                                          size_t maxBandBytes);

// Rows [band.firstRow, band.firstRow + band.rows) of `from` (a part of
// `image`) resampled bilinearly to size, into `out` (allocated here). Pixel
// centres map onto pixel centres; the image's edge pixels extend to its
// border. False when the band is not one of size's or needs more than
// maxBandBytes.
bool ResampleBand(const Bitmap24& image, const Rect& from, const ResampledSize& size,
                  const ResampledBand& band, size_t maxBandBytes, Bitmap24& out);

// A part of an image drawn as it is, without resampling: rows
// [from.top, from.bottom) of the image and the device rectangle they fill.
struct DrawnBand {
    Rect from;
    Rect target;
};

// The bands in which the part `from` of an image is handed to the driver
// into `target`, each of at most about maxBandBytes of rowBytes-byte rows, so
// that the driver never takes a large page whole (a printer driver makes its
// own copies of what it is given). The bands abut exactly and together fill
// the target; rows that would fill no device row on their own go with the
// band before or after them.
std::vector<DrawnBand> DrawnBands(const Rect& from, const Rect& target, size_t rowBytes,
                                  size_t maxBandBytes);
