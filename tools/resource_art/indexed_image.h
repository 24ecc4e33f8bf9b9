// A picture reduced to a palette, as bitmap and icon files store it.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "rgba_image.h"

namespace resource_art {

struct IndexedImage {
    int width = 0;
    int height = 0;
    std::vector<Rgb> palette;
    std::vector<uint8_t> pixels;    // palette indexes, rows top-down
    std::vector<bool> transparent;  // one per pixel: shows what lies behind (icons)

    uint8_t IndexAt(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
    bool TransparentAt(int x, int y) const { return transparent[static_cast<size_t>(y) * width + x]; }
};

// Gives every distinct colour a palette entry: the entries of startPalette
// first, then each new colour in order of first appearance. Pixels less
// than half opaque become transparent and take the index of black. Throws
// std::runtime_error when more than maxColours entries would be needed, so
// a drawing that strays from its palette fails the build.
IndexedImage ToIndexed(const RgbaImage& image, const std::vector<Rgb>& startPalette, size_t maxColours);

// Only the size and which pixels are transparent (less than half opaque):
// the mask of a 32-bit icon image, whose colours need no palette.
IndexedImage ToShape(const RgbaImage& image);

}  // namespace resource_art
