#include "smooth_scaling.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace {

// Weights of the two neighbours in 1/256.
const int32_t kWeightOne = 256;

int32_t CappedLength(int32_t length, double deviceDpi)
{
    if (!(deviceDpi > kSmoothScalingMaxDpi))
        return length;
    return std::max<int32_t>(
        1, static_cast<int32_t>(std::ceil(length * kSmoothScalingMaxDpi / deviceDpi - 1e-9)));
}

// Where output pixel i of `count` falls in the source span [from, to) of an
// image `pixels` wide: the nearer-left neighbour and the weight of the next.
struct Tap {
    int32_t first = 0;
    int32_t second = 0;
    int32_t weight = 0;  // of the second, in 1/256
};

std::vector<Tap> Taps(int32_t from, int32_t to, int32_t count, int32_t pixels)
{
    std::vector<Tap> taps(static_cast<size_t>(count));
    const double step = static_cast<double>(to - from) / count;
    for (int32_t i = 0; i < count; ++i) {
        const double at = std::min(std::max(from + (i + 0.5) * step - 0.5, 0.0),
                                   static_cast<double>(pixels - 1));
        Tap& tap = taps[static_cast<size_t>(i)];
        tap.first = static_cast<int32_t>(std::floor(at));
        tap.second = std::min(tap.first + 1, pixels - 1);
        tap.weight = static_cast<int32_t>(std::lround((at - tap.first) * kWeightOne));
    }
    return taps;
}

int32_t RowOnTarget(const Rect& target, int32_t rows, int32_t row)
{
    const int64_t height = target.Height();
    return target.top + static_cast<int32_t>((2 * int64_t{row} * height + rows) / (2 * int64_t{rows}));
}

}  // namespace

ResampledSize SmoothScaledSize(const Rect& source, const Rect& target, double deviceDpiX,
                               double deviceDpiY)
{
    ResampledSize size;
    if (source.Width() <= 0 || source.Height() <= 0 || target.Width() <= 0 ||
        target.Height() <= 0)
        return size;
    const int32_t width = CappedLength(target.Width(), deviceDpiX);
    const int32_t height = CappedLength(target.Height(), deviceDpiY);
    if (width <= source.Width() && height <= source.Height())
        return size;
    size.width = width;
    size.height = height;
    return size;
}

bool IsTwoLevel(const Bitmap24& image)
{
    for (int32_t y = 0; y < image.height; ++y) {
        const uint8_t* pixel = image.Pixel(0, y);
        for (int32_t x = 0; x < image.width; ++x, pixel += 3) {
            const uint8_t level = pixel[0];
            if ((level != 0 && level != 0xFF) || pixel[1] != level || pixel[2] != level)
                return false;
        }
    }
    return true;
}

std::vector<ResampledBand> ResampledBands(const Rect& target, const ResampledSize& size,
                                          size_t maxBandBytes)
{
    std::vector<ResampledBand> bands;
    const size_t stride = RowStride(size.width);
    if (!size.Enlarges() || stride == 0)
        return bands;
    const int32_t rowsPerBand = static_cast<int32_t>(
        std::min<size_t>(static_cast<size_t>(size.height), std::max<size_t>(1, maxBandBytes / stride)));
    for (int32_t row = 0; row < size.height; row += rowsPerBand) {
        ResampledBand band;
        band.firstRow = row;
        band.rows = std::min(rowsPerBand, size.height - row);
        band.target.left = target.left;
        band.target.right = target.right;
        band.target.top = RowOnTarget(target, size.height, row);
        band.target.bottom = RowOnTarget(target, size.height, row + band.rows);
        bands.push_back(band);
    }
    return bands;
}

bool ResampleBand(const Bitmap24& image, const Rect& from, const ResampledSize& size,
                  const ResampledBand& band, size_t maxBandBytes, Bitmap24& out)
{
    out = Bitmap24();
    if (!size.Enlarges() || band.rows <= 0 || band.firstRow < 0 ||
        band.firstRow + band.rows > size.height || image.width <= 0 || image.height <= 0 ||
        !MakeBitmap(size.width, band.rows, maxBandBytes, out))
        return false;
    const std::vector<Tap> columns = Taps(from.left, from.right, size.width, image.width);
    const std::vector<Tap> rows = Taps(from.top, from.bottom, size.height, image.height);
    for (int32_t y = 0; y < band.rows; ++y) {
        const Tap& row = rows[static_cast<size_t>(band.firstRow + y)];
        const uint8_t* upper = image.Pixel(0, row.first);
        const uint8_t* lower = image.Pixel(0, row.second);
        uint8_t* to = &out.bits[static_cast<size_t>(y) * out.stride];
        for (const Tap& column : columns) {
            const size_t a = static_cast<size_t>(column.first) * 3;
            const size_t b = static_cast<size_t>(column.second) * 3;
            for (int channel = 0; channel < 3; ++channel) {
                const int32_t top = upper[a + channel] * (kWeightOne - column.weight) +
                                    upper[b + channel] * column.weight;
                const int32_t bottom = lower[a + channel] * (kWeightOne - column.weight) +
                                       lower[b + channel] * column.weight;
                const int32_t value =
                    top * (kWeightOne - row.weight) + bottom * row.weight;
                *to++ = static_cast<uint8_t>((value + kWeightOne * kWeightOne / 2) /
                                             (kWeightOne * kWeightOne));
            }
        }
    }
    return true;
}

std::vector<DrawnBand> DrawnBands(const Rect& from, const Rect& target, size_t rowBytes,
                                  size_t maxBandBytes)
{
    std::vector<DrawnBand> bands;
    const int32_t rows = from.Height();
    if (rows <= 0 || from.Width() <= 0 || target.Width() <= 0 || target.Height() <= 0)
        return bands;
    const int32_t rowsPerBand = static_cast<int32_t>(std::min<size_t>(
        static_cast<size_t>(rows), std::max<size_t>(1, maxBandBytes / std::max<size_t>(1, rowBytes))));
    for (int32_t start = 0; start < rows;) {
        int32_t end = std::min(rows, start + rowsPerBand);
        while (RowOnTarget(target, rows, end) == RowOnTarget(target, rows, start) && end < rows)
            end = std::min(rows, end + rowsPerBand);
        DrawnBand band;
        band.from = from;
        band.from.top = from.top + start;
        band.from.bottom = from.top + end;
        band.target = target;
        band.target.top = RowOnTarget(target, rows, start);
        band.target.bottom = RowOnTarget(target, rows, end);
        if (band.target.Height() > 0 || bands.empty())
            bands.push_back(band);
        else
            bands.back().from.bottom = band.from.bottom;  // the last rows fill nothing of their own
        start = end;
    }
    return bands;
}
