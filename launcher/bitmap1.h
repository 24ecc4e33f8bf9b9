// A decoded page of one bit a pixel, as black-and-white scans are stored:
// rows from the top, the leftmost pixel in a byte's highest bit, each row
// padded to a multiple of four bytes as device-independent bitmaps are.
// Kept so instead of as 24-bit colour, such a page takes a 24th of the
// memory and reaches the printer as a 24th of the data.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

struct Bitmap1 {
    int32_t width = 0;
    int32_t height = 0;
    size_t stride = 0;  // bytes per row
    std::vector<uint8_t> bits;
    uint32_t colours[2] = {0x000000, 0xFFFFFF};  // 0xRRGGBB of bit value 0 and 1

    bool Bit(int32_t x, int32_t y) const
    {
        return (bits[static_cast<size_t>(y) * stride + static_cast<size_t>(x) / 8] >> (7 - x % 8)) & 1;
    }
};

// Bytes per row of a one-bit bitmap `width` pixels wide; 0 when it is empty
// or its rows would not fit in memory.
size_t RowStride1(int32_t width);

// A bitmap of the size, every bit 0; false when it is empty or too large
// (more than maxBytes).
bool MakeBitmap1(int32_t width, int32_t height, size_t maxBytes, Bitmap1& bitmap);

// The bitmap turned a quarter turn to the left: its top row becomes the left
// column, read from the bottom up.
Bitmap1 TurnLeft(const Bitmap1& bitmap);
