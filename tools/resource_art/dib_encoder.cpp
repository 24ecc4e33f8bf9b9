#include "dib_encoder.h"

#include <stdexcept>

#include "byte_writer.h"

namespace resource_art {

namespace {

constexpr uint32_t kInfoHeaderSize = 40;
constexpr uint32_t kFileHeaderSize = 14;
constexpr int32_t kPixelsPerMetre = 2835;  // 72 dpi

uint32_t RowBytes(int width, int bitsPerPixel)
{
    return ((static_cast<uint32_t>(width) * bitsPerPixel + 31) / 32) * 4;
}

void WriteInfoHeader(ByteWriter& out, int width, int storedHeight, int bitsPerPixel, uint32_t imageBytes)
{
    out.U32(kInfoHeaderSize);
    out.I32(width);
    out.I32(storedHeight);  // positive: rows bottom-up
    out.U16(1);             // planes
    out.U16(static_cast<uint32_t>(bitsPerPixel));
    out.U32(0);  // BI_RGB
    out.U32(imageBytes);
    out.I32(kPixelsPerMetre);
    out.I32(kPixelsPerMetre);
    out.U32(0);  // colours used: all the bit depth allows
    out.U32(0);                   // all important
}

void WritePalette(ByteWriter& out, const IndexedImage& image, int bitsPerPixel)
{
    const size_t entries = size_t{1} << bitsPerPixel;
    if (image.palette.size() > entries)
        throw std::runtime_error("palette larger than the bit depth allows");
    for (size_t i = 0; i < entries; ++i) {
        const Rgb c = i < image.palette.size() ? image.palette[i] : Rgb{};
        out.U8(c.b);
        out.U8(c.g);
        out.U8(c.r);
        out.U8(0);
    }
}

void WriteIndexRows(ByteWriter& out, const IndexedImage& image, int bitsPerPixel)
{
    const uint32_t rowBytes = RowBytes(image.width, bitsPerPixel);
    for (int y = image.height - 1; y >= 0; --y) {
        const size_t rowStart = out.Size();
        if (bitsPerPixel == 8) {
            for (int x = 0; x < image.width; ++x)
                out.U8(image.IndexAt(x, y));
        } else {  // 4: two pixels a byte, the left one in the high half
            for (int x = 0; x < image.width; x += 2) {
                const uint32_t high = image.IndexAt(x, y);
                const uint32_t low = x + 1 < image.width ? image.IndexAt(x + 1, y) : 0;
                out.U8((high << 4) | low);
            }
        }
        out.Zeros(rowBytes - (out.Size() - rowStart));
    }
}

// Blue, green, red and opacity of each pixel: soft edges keep their
// opacity; the mask, for systems that ignore it, says where less than half is.
void WriteColourRows(ByteWriter& out, const RgbaImage& image)
{
    for (int y = image.Height() - 1; y >= 0; --y)
        for (int x = 0; x < image.Width(); ++x) {
            const Rgb c = image.ColourAt(x, y);
            out.U8(c.b);
            out.U8(c.g);
            out.U8(c.r);
            out.U8(static_cast<uint32_t>(image.OpacityAt(x, y) * 255.0 + 0.5));
        }
}

void WriteMaskRows(ByteWriter& out, const IndexedImage& image)
{
    const uint32_t rowBytes = RowBytes(image.width, 1);
    for (int y = image.height - 1; y >= 0; --y) {
        const size_t rowStart = out.Size();
        for (int x = 0; x < image.width; x += 8) {
            uint32_t bits = 0;
            for (int bit = 0; bit < 8 && x + bit < image.width; ++bit)
                if (image.TransparentAt(x + bit, y))
                    bits |= 0x80u >> bit;
            out.U8(bits);
        }
        out.Zeros(rowBytes - (out.Size() - rowStart));
    }
}

uint32_t IconImageBytes(const IconImage& icon)
{
    const IndexedImage& image = icon.image;
    const uint32_t paletteBytes = icon.bitsPerPixel == 32 ? 0 : (4u << icon.bitsPerPixel);
    return kInfoHeaderSize + paletteBytes +
           (RowBytes(image.width, icon.bitsPerPixel) + RowBytes(image.width, 1)) * image.height;
}

}  // namespace

std::vector<uint8_t> EncodeBmp8(const IndexedImage& image)
{
    const uint32_t pixelBytes = RowBytes(image.width, 8) * image.height;
    const uint32_t pixelOffset = kFileHeaderSize + kInfoHeaderSize + 256 * 4;
    ByteWriter out;
    out.U8('B');
    out.U8('M');
    out.U32(pixelOffset + pixelBytes);
    out.U32(0);  // reserved
    out.U32(pixelOffset);
    WriteInfoHeader(out, image.width, image.height, 8, pixelBytes);
    WritePalette(out, image, 8);
    WriteIndexRows(out, image, 8);
    return std::move(out.Bytes());
}

std::vector<uint8_t> EncodeIco(const std::vector<IconImage>& images)
{
    ByteWriter out;
    out.U16(0);  // reserved
    out.U16(1);  // icon, not cursor
    out.U16(static_cast<uint32_t>(images.size()));
    uint32_t offset = 6 + 16 * static_cast<uint32_t>(images.size());
    for (const IconImage& icon : images) {
        const IndexedImage& image = icon.image;
        const bool truecolour = icon.bitsPerPixel == 32;
        if ((icon.bitsPerPixel != 4 && icon.bitsPerPixel != 8 && !truecolour) || image.width < 1 ||
            image.width > 256 || image.height < 1 || image.height > 256 ||
            (!truecolour && (image.width > 255 || image.height > 255)) ||
            (truecolour && (!icon.colours || icon.colours->Width() != image.width ||
                            icon.colours->Height() != image.height)))
            throw std::runtime_error("icon image size or depth not supported");
        const uint32_t bytes = IconImageBytes(icon);
        out.U8(static_cast<uint32_t>(image.width) & 0xFF);  // 256 is stored as 0
        out.U8(static_cast<uint32_t>(image.height) & 0xFF);
        out.U8(icon.bitsPerPixel == 4 ? 16 : 0);  // colour count, 0 for 256 or more
        out.U8(0);                                // reserved
        out.U16(1);                               // planes
        out.U16(static_cast<uint32_t>(icon.bitsPerPixel));
        out.U32(bytes);
        out.U32(offset);
        offset += bytes;
    }
    for (const IconImage& icon : images) {
        const IndexedImage& image = icon.image;
        const uint32_t maskedBytes =
            (RowBytes(image.width, icon.bitsPerPixel) + RowBytes(image.width, 1)) * image.height;
        // The stored height counts the colour bitmap and the mask.
        WriteInfoHeader(out, image.width, image.height * 2, icon.bitsPerPixel, maskedBytes);
        if (icon.bitsPerPixel == 32) {
            WriteColourRows(out, *icon.colours);
        } else {
            WritePalette(out, image, icon.bitsPerPixel);
            WriteIndexRows(out, image, icon.bitsPerPixel);
        }
        WriteMaskRows(out, image);
    }
    return std::move(out.Bytes());
}

}  // namespace resource_art
