#include "bitmap24.h"

#include <cstring>
#include <limits>

size_t RowStride(int32_t width)
{
    if (width <= 0 || static_cast<uint64_t>(width) * 3 + 3 > std::numeric_limits<uint32_t>::max())
        return 0;
    return (static_cast<size_t>(width) * 3 + 3) & ~static_cast<size_t>(3);
}

bool MakeBitmap(int32_t width, int32_t height, size_t maxBytes, Bitmap24& bitmap)
{
    const size_t stride = RowStride(width);
    if (stride == 0 || height <= 0 || static_cast<uint64_t>(stride) * height > maxBytes)
        return false;
    bitmap.width = width;
    bitmap.height = height;
    bitmap.stride = stride;
    bitmap.bits.assign(stride * static_cast<size_t>(height), 0xFF);
    return true;
}

Bitmap24 TurnLeft(const Bitmap24& bitmap)
{
    Bitmap24 turned;
    turned.width = bitmap.height;
    turned.height = bitmap.width;
    turned.stride = RowStride(turned.width);
    turned.bits.assign(turned.stride * static_cast<size_t>(turned.height), 0);
    // Pixel (x, y) moves to (y, width - 1 - x).
    for (int32_t y = 0; y < bitmap.height; ++y) {
        for (int32_t x = 0; x < bitmap.width; ++x) {
            uint8_t* to = &turned.bits[(bitmap.width - 1 - x) * turned.stride + y * 3];
            std::memcpy(to, bitmap.Pixel(x, y), 3);
        }
    }
    return turned;
}
