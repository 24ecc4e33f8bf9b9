#include "raw_pixels.h"

#include <limits>

namespace {

uint32_t Word(const uint8_t* at) { return static_cast<uint32_t>(at[0]) | (static_cast<uint32_t>(at[1]) << 8); }

// A 16-bit level as the nearest 8-bit level.
uint8_t Level8(uint32_t level16) { return static_cast<uint8_t>((level16 * 255u + 32767u) / 65535u); }

// Packed pixel `x` of a row of `bits`-bit pixels, first pixel in the high bits.
uint32_t Packed(const uint8_t* row, size_t x, uint32_t bits)
{
    const size_t bit = x * bits;
    const uint32_t shift = 8u - bits - static_cast<uint32_t>(bit % 8);
    return (row[bit / 8] >> shift) & ((1u << bits) - 1u);
}

void Put(uint8_t* bgr, uint8_t red, uint8_t green, uint8_t blue)
{
    bgr[0] = blue;
    bgr[1] = green;
    bgr[2] = red;
}

// An 8-bit colour channel at `alpha` (0 to 255) over white.
uint8_t OverWhite(uint32_t channel, uint32_t alpha)
{
    return static_cast<uint8_t>((channel * alpha + 255u * (255u - alpha) + 127u) / 255u);
}

// The same for 16-bit channel and alpha.
uint8_t OverWhite16(uint32_t channel, uint32_t alpha)
{
    const uint64_t level =
        (static_cast<uint64_t>(channel) * alpha + 65535ull * (65535u - alpha) + 32767u) / 65535u;
    return Level8(static_cast<uint32_t>(level));
}

void PutPaletteColour(const std::vector<uint32_t>& palette, uint32_t index, uint8_t* bgr)
{
    if (index >= palette.size()) {
        Put(bgr, 0xFF, 0xFF, 0xFF);
        return;
    }
    const uint32_t argb = palette[index];
    const uint32_t alpha = argb >> 24;
    Put(bgr, OverWhite((argb >> 16) & 0xFF, alpha), OverWhite((argb >> 8) & 0xFF, alpha),
        OverWhite(argb & 0xFF, alpha));
}

// Ink of cyan, magenta, yellow and black (0 none, `full` all) as light.
uint8_t InkToLight(uint32_t colourInk, uint32_t blackInk, uint32_t full)
{
    const uint64_t light = static_cast<uint64_t>(full - colourInk) * (full - blackInk);
    return static_cast<uint8_t>((light * 255u + static_cast<uint64_t>(full) * full / 2) /
                                (static_cast<uint64_t>(full) * full));
}

}  // namespace

uint32_t RawBitsPerPixel(RawPixelFormat format)
{
    switch (format) {
    case RawPixelFormat::Gray2:
    case RawPixelFormat::Indexed2:
        return 2;
    case RawPixelFormat::Gray4:
    case RawPixelFormat::Indexed4:
        return 4;
    case RawPixelFormat::Gray16:
        return 16;
    case RawPixelFormat::Cmyk32:
        return 32;
    case RawPixelFormat::Rgb48:
    case RawPixelFormat::Bgr48:
        return 48;
    case RawPixelFormat::Rgba64:
    case RawPixelFormat::Cmyk64:
        return 64;
    }
    return 64;
}

size_t RawRowBytes(RawPixelFormat format, int32_t width)
{
    if (width <= 0)
        return 0;
    const uint64_t bytes = (static_cast<uint64_t>(width) * RawBitsPerPixel(format) + 7) / 8;
    return bytes > std::numeric_limits<uint32_t>::max() ? 0 : static_cast<size_t>(bytes);
}

void ConvertRawRow(RawPixelFormat format, const uint8_t* row, size_t width,
                   const std::vector<uint32_t>& palette, uint8_t* bgr)
{
    for (size_t x = 0; x < width; ++x, bgr += 3) {
        switch (format) {
        case RawPixelFormat::Gray2: {
            const uint8_t level = static_cast<uint8_t>(Packed(row, x, 2) * 0x55u);
            Put(bgr, level, level, level);
            break;
        }
        case RawPixelFormat::Gray4: {
            const uint8_t level = static_cast<uint8_t>(Packed(row, x, 4) * 0x11u);
            Put(bgr, level, level, level);
            break;
        }
        case RawPixelFormat::Gray16: {
            const uint8_t level = Level8(Word(row + x * 2));
            Put(bgr, level, level, level);
            break;
        }
        case RawPixelFormat::Indexed2:
            PutPaletteColour(palette, Packed(row, x, 2), bgr);
            break;
        case RawPixelFormat::Indexed4:
            PutPaletteColour(palette, Packed(row, x, 4), bgr);
            break;
        case RawPixelFormat::Rgb48: {
            const uint8_t* p = row + x * 6;
            Put(bgr, Level8(Word(p)), Level8(Word(p + 2)), Level8(Word(p + 4)));
            break;
        }
        case RawPixelFormat::Bgr48: {
            const uint8_t* p = row + x * 6;
            Put(bgr, Level8(Word(p + 4)), Level8(Word(p + 2)), Level8(Word(p)));
            break;
        }
        case RawPixelFormat::Rgba64: {
            const uint8_t* p = row + x * 8;
            const uint32_t alpha = Word(p + 6);
            Put(bgr, OverWhite16(Word(p), alpha), OverWhite16(Word(p + 2), alpha),
                OverWhite16(Word(p + 4), alpha));
            break;
        }
        case RawPixelFormat::Cmyk32: {
            const uint8_t* p = row + x * 4;
            Put(bgr, InkToLight(p[0], p[3], 255), InkToLight(p[1], p[3], 255),
                InkToLight(p[2], p[3], 255));
            break;
        }
        case RawPixelFormat::Cmyk64: {
            const uint8_t* p = row + x * 8;
            const uint32_t black = Word(p + 6);
            Put(bgr, InkToLight(Word(p), black, 65535), InkToLight(Word(p + 2), black, 65535),
                InkToLight(Word(p + 4), black, 65535));
            break;
        }
        }
    }
}
