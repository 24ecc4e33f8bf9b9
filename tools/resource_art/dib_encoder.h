// Windows bitmap files (.bmp) and icon files (.ico). Both store pictures as
// device-independent bitmaps: a 40-byte BITMAPINFOHEADER, the palette as
// blue-green-red-zero quads, then the rows bottom-up, each padded to a
// multiple of 4 bytes.
#pragma once
#include <cstdint>
#include <memory>
#include <vector>

#include "indexed_image.h"

namespace resource_art {

// A 256-colour bitmap file (8 bits per pixel, palette padded to 256).
std::vector<uint8_t> EncodeBmp8(const IndexedImage& image);

struct IconImage {
    IndexedImage image;  // for 32 bits: the size and which pixels are transparent
    int bitsPerPixel;    // 4 (16 colours), 8 (256 colours) or 32 (colours with opacity)
    std::shared_ptr<const RgbaImage> colours = nullptr;  // the pixels of a 32-bit image
};

// An icon file with one entry per image, in the order given. Each image is
// the colour bitmap followed by its AND mask (1 where the pixel is
// transparent); transparent pixels carry black so the screen shows through.
// 32-bit images carry each pixel's opacity (not premultiplied) and may be
// up to 256 pixels large (stored as 0 in the directory).
std::vector<uint8_t> EncodeIco(const std::vector<IconImage>& images);

}  // namespace resource_art
