#include "bitmap1.h"

#include <limits>

size_t RowStride1(int32_t width)
{
    if (width <= 0 || static_cast<uint64_t>(width) + 31 > std::numeric_limits<uint32_t>::max())
        return 0;
    return ((static_cast<size_t>(width) + 31) / 32) * 4;
}

bool MakeBitmap1(int32_t width, int32_t height, size_t maxBytes, Bitmap1& bitmap)
{
    const size_t stride = RowStride1(width);
    if (stride == 0 || height <= 0 || static_cast<uint64_t>(stride) * height > maxBytes)
        return false;
    bitmap.width = width;
    bitmap.height = height;
    bitmap.stride = stride;
    bitmap.bits.assign(stride * static_cast<size_t>(height), 0);
    return true;
}

Bitmap1 TurnLeft(const Bitmap1& bitmap)
{
    Bitmap1 turned;
    turned.width = bitmap.height;
    turned.height = bitmap.width;
    turned.stride = RowStride1(turned.width);
    turned.colours[0] = bitmap.colours[0];
    turned.colours[1] = bitmap.colours[1];
    turned.bits.assign(turned.stride * static_cast<size_t>(turned.height), 0);
    // Pixel (x, y) moves to (y, width - 1 - x): each source row becomes a
    // column of the turned bitmap, so its set bits are set a row apart.
    for (int32_t y = 0; y < bitmap.height; ++y) {
        const uint8_t* row = &bitmap.bits[static_cast<size_t>(y) * bitmap.stride];
        const size_t column = static_cast<size_t>(y) / 8;
        const uint8_t mask = static_cast<uint8_t>(0x80u >> (y % 8));
        for (int32_t x = 0; x < bitmap.width; ++x) {
            if (row[x / 8] & (0x80u >> (x % 8)))
                turned.bits[static_cast<size_t>(bitmap.width - 1 - x) * turned.stride + column] |= mask;
        }
    }
    return turned;
}
