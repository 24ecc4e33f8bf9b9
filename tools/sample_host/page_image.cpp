#include "page_image.h"

#include <cstdint>
#include <fstream>
#include <vector>

namespace {

// A4 (210 x 297 mm) at 100 dots per inch, blue, green and red bytes a pixel.
const int kWidth = 827;
const int kHeight = 1169;
const int kBytesPerPixel = 3;
// Rows of a bitmap file are padded to whole 32-bit words.
const int kRowBytes = (kWidth * kBytesPerPixel + 3) / 4 * 4;

// The dots of the glyphs this page needs, seven rows of five columns.
struct Glyph {
    char letter;
    const char* rows[7];
};

const Glyph kFont[] = {
    {'0', {"01110", "10001", "10011", "10101", "11001", "10001", "01110"}},
    {'1', {"00100", "01100", "00100", "00100", "00100", "00100", "01110"}},
    {'2', {"01110", "10001", "00001", "00010", "00100", "01000", "11111"}},
    {'3', {"11111", "00010", "00100", "00010", "00001", "10001", "01110"}},
    {'4', {"00010", "00110", "01010", "10010", "11111", "00010", "00010"}},
    {'5', {"11111", "10000", "11110", "00001", "00001", "10001", "01110"}},
    {'6', {"00110", "01000", "10000", "11110", "10001", "10001", "01110"}},
    {'7', {"11111", "00001", "00010", "00100", "01000", "01000", "01000"}},
    {'8', {"01110", "10001", "10001", "01110", "10001", "10001", "01110"}},
    {'9', {"01110", "10001", "10001", "01111", "00001", "00010", "01100"}},
    {'A', {"01110", "10001", "10001", "11111", "10001", "10001", "10001"}},
    {'B', {"11110", "10001", "10001", "11110", "10001", "10001", "11110"}},
    {'E', {"11111", "10000", "10000", "11110", "10000", "10000", "11111"}},
    {'G', {"01110", "10001", "10000", "10111", "10001", "10001", "01111"}},
    {'J', {"00111", "00010", "00010", "00010", "00010", "10010", "01100"}},
    {'O', {"01110", "10001", "10001", "10001", "10001", "10001", "01110"}},
    {'P', {"11110", "10001", "10001", "11110", "10000", "10000", "10000"}},
};

const Glyph* FindGlyph(char letter)
{
    for (const Glyph& glyph : kFont)
        if (glyph.letter == letter)
            return &glyph;
    return nullptr;  // a blank
}

// The rows of the bitmap file, from the top; white at first. Turned upside
// down when written.
class Sheet {
public:
    Sheet() : m_bits(static_cast<size_t>(kRowBytes) * kHeight, 0xFF) {}

    void Black(int left, int top, int width, int height)
    {
        for (int y = top; y < top + height; ++y)
            for (int x = left; x < left + width; ++x)
                if (x >= 0 && x < kWidth && y >= 0 && y < kHeight)
                    for (int b = 0; b < kBytesPerPixel; ++b)
                        m_bits[static_cast<size_t>(y) * kRowBytes + x * kBytesPerPixel + b] = 0;
    }

    void Frame(int margin, int thickness)
    {
        Black(margin, margin, kWidth - 2 * margin, thickness);
        Black(margin, kHeight - margin - thickness, kWidth - 2 * margin, thickness);
        Black(margin, margin, thickness, kHeight - 2 * margin);
        Black(kWidth - margin - thickness, margin, thickness, kHeight - 2 * margin);
    }

    // Text centred across the sheet, its top at `top`; each dot is `dot` pixels square.
    void CentredText(const std::string& text, int top, int dot)
    {
        const int advance = 6 * dot;  // five dots and a gap
        int left = (kWidth - static_cast<int>(text.size()) * advance + dot) / 2;
        for (char letter : text) {
            if (const Glyph* glyph = FindGlyph(letter))
                for (int row = 0; row < 7; ++row)
                    for (int column = 0; column < 5; ++column)
                        if (glyph->rows[row][column] == '1')
                            Black(left + column * dot, top + row * dot, dot, dot);
            left += advance;
        }
    }

    const uint8_t* Row(int y) const { return &m_bits[static_cast<size_t>(y) * kRowBytes]; }

private:
    std::vector<uint8_t> m_bits;
};

void Put16(std::vector<uint8_t>& out, uint32_t value)
{
    out.push_back(static_cast<uint8_t>(value));
    out.push_back(static_cast<uint8_t>(value >> 8));
}

void Put32(std::vector<uint8_t>& out, uint32_t value)
{
    Put16(out, value & 0xFFFF);
    Put16(out, value >> 16);
}

// BITMAPFILEHEADER and BITMAPINFOHEADER, written field by field in the
// file's little-endian layout.
std::vector<uint8_t> Headers(int dpi)
{
    const uint32_t dotsPerMetre = static_cast<uint32_t>(dpi * 10000.0 / 254 + 0.5);
    const uint32_t headerSize = 14 + 40;
    const uint32_t imageSize = static_cast<uint32_t>(kRowBytes) * kHeight;
    std::vector<uint8_t> out;
    out.push_back('B');
    out.push_back('M');
    Put32(out, headerSize + imageSize);  // file size
    Put32(out, 0);                       // reserved
    Put32(out, headerSize);              // offset of the pixels
    Put32(out, 40);                      // size of the info header
    Put32(out, kWidth);
    Put32(out, kHeight);                 // positive: rows stored bottom-up
    Put16(out, 1);                       // planes
    Put16(out, 8 * kBytesPerPixel);      // bits per pixel
    Put32(out, 0);                       // no compression
    Put32(out, imageSize);
    Put32(out, dotsPerMetre);
    Put32(out, dotsPerMetre);
    Put32(out, 0);                       // no palette
    Put32(out, 0);                       // all colours important
    return out;
}

}  // namespace

bool WritePageImage(const std::string& path, int jobId, int page, int dpi, std::string& error)
{
    Sheet sheet;
    sheet.Frame(40, 4);
    sheet.CentredText("PAGE", 313, 14);
    sheet.CentredText(std::to_string(page), 460, 32);
    sheet.CentredText("JOB " + std::to_string(jobId), 780, 11);

    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    const std::vector<uint8_t> headers = Headers(dpi);
    file.write(reinterpret_cast<const char*>(headers.data()),
               static_cast<std::streamsize>(headers.size()));
    for (int y = kHeight - 1; y >= 0; --y)
        file.write(reinterpret_cast<const char*>(sheet.Row(y)), kRowBytes);
    file.close();
    if (!file) {
        error = "cannot write " + path;
        return false;
    }
    return true;
}
