// A decoded page: 24-bit blue-green-red pixels, rows from the top, each row
// padded to a multiple of four bytes as device-independent bitmaps are.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

struct Bitmap24 {
    int32_t width = 0;
    int32_t height = 0;
    size_t stride = 0;  // bytes per row
    std::vector<uint8_t> bits;

    const uint8_t* Pixel(int32_t x, int32_t y) const { return &bits[y * stride + x * 3]; }
};

// Bytes per row of a 24-bit bitmap `width` pixels wide; 0 when the bitmap
// could not be held in memory at all.
size_t RowStride(int32_t width);

// A bitmap of the size, all white; false when it is empty or too large
// (more than maxBytes).
bool MakeBitmap(int32_t width, int32_t height, size_t maxBytes, Bitmap24& bitmap);

// The bitmap turned a quarter turn to the left: its top row becomes the left
// column, read from the bottom up.
Bitmap24 TurnLeft(const Bitmap24& bitmap);
