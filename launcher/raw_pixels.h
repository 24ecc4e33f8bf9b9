// Pixels in the formats a decoder hands out as they are stored, converted
// to the 24-bit blue-green-red of a printed page. The imaging component
// converts most formats itself; some builds refuse some of these (16-bit
// greyscale and colour, CMYK, 2- and 4-bit greyscale and palettes), and
// then the page is taken in its own format and converted here.
//
// Layouts, as the imaging component stores them: packed formats hold the
// first pixel in the high bits of each byte; 16-bit channels are
// little-endian; rows begin on a byte boundary.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

enum class RawPixelFormat {
    Gray2,     // 2 bits, 0 black, 3 white
    Gray4,     // 4 bits, 0 black, 15 white
    Gray16,    // 16 bits, 0 black, 65535 white
    Indexed2,  // 2-bit palette index
    Indexed4,  // 4-bit palette index
    Rgb48,     // red, green, blue, 16 bits each
    Bgr48,     // blue, green, red, 16 bits each
    Rgba64,    // red, green, blue, alpha (not premultiplied), 16 bits each
    Cmyk32,    // cyan, magenta, yellow, black ink, 8 bits each, 0 no ink
    Cmyk64,    // the same, 16 bits each
};

// Bits one pixel takes.
uint32_t RawBitsPerPixel(RawPixelFormat format);

// Bytes of a row of `width` pixels; 0 when that does not fit a 32-bit count.
size_t RawRowBytes(RawPixelFormat format, int32_t width);

// Converts `width` pixels of one row into 24-bit blue-green-red. Colours
// with transparency are laid on white paper. `palette` holds the colours of
// the indexed formats as 0xAARRGGBB; an index beyond it prints as paper.
void ConvertRawRow(RawPixelFormat format, const uint8_t* row, size_t width,
                   const std::vector<uint32_t>& palette, uint8_t* bgr);
