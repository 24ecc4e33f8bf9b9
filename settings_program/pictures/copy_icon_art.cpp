#include "copy_icon_art.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "glyphs.h"

namespace resource_art {

namespace {

const Rgb kBlack{0x00, 0x00, 0x00};
const Rgb kNavy{0x00, 0x00, 0x80};
const Rgb kGrey{0x80, 0x80, 0x80};
const Rgb kSilver{0xC0, 0xC0, 0xC0};
const Rgb kWhite{0xFF, 0xFF, 0xFF};

// Lengths of the 32-pixel icon, scaled to the icon being drawn.
class IconMetrics {
public:
    explicit IconMetrics(int size) : m_scale(static_cast<double>(size) / kCopyIconSize)
    {
        if (size < kCopyIconSize / 2 || size > 8 * kCopyIconSize)
            throw std::invalid_argument("copy-order icon size out of range");
    }
    int Length(int pixels) const { return static_cast<int>(std::lround(pixels * m_scale)); }
    // Lines and the pixels of the digits: whole pixels, at least one.
    int Line() const { return std::max(1, Length(1)); }

private:
    double m_scale;
};

// A sheet at left, top (lengths of the 32-pixel icon): grey shadow to its
// lower right, black outline, white paper, a folded top-right corner, and
// its page number near the top-left corner (the part a sheet in front
// leaves visible).
void DrawSheet(RgbaImage& image, const IconMetrics& m, int left, int top, int width, int height, int page)
{
    const int line = m.Line();
    left = m.Length(left), top = m.Length(top), width = m.Length(width), height = m.Length(height);
    const int fold = m.Length(4);  // size of the folded corner
    image.FillRect(left + line, top + height, width, line, kGrey);
    image.FillRect(left + width, top + line, line, height, kGrey);
    const int foldLeft = width - line - fold;  // first column of the folded corner
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const int diagonal = x - foldLeft - y;  // 0 on the fold's edge
            if (diagonal >= line)
                continue;  // cut away by the fold
            const bool onEdge = x < line || y < line || x >= width - line || y >= height - line ||
                                diagonal >= 0;
            const bool inFold = x >= foldLeft && y < fold + line;
            Rgb colour = kWhite;
            if (onEdge || (inFold && (x < foldLeft + line || y >= fold)))
                colour = kBlack;
            else if (inFold)
                colour = kSilver;
            image.Set(left + x, top + y, colour);
        }
    DrawDigit(image, page, left + 2 * line, top + 2 * line, kNavy, line);
}

}  // namespace

const std::vector<Rgb>& StandardSixteenColours()
{
    static const std::vector<Rgb> colours = {
        {0x00, 0x00, 0x00}, {0x80, 0x00, 0x00}, {0x00, 0x80, 0x00}, {0x80, 0x80, 0x00},
        {0x00, 0x00, 0x80}, {0x80, 0x00, 0x80}, {0x00, 0x80, 0x80}, {0xC0, 0xC0, 0xC0},
        {0x80, 0x80, 0x80}, {0xFF, 0x00, 0x00}, {0x00, 0xFF, 0x00}, {0xFF, 0xFF, 0x00},
        {0x00, 0x00, 0xFF}, {0xFF, 0x00, 0xFF}, {0x00, 0xFF, 0xFF}, {0xFF, 0xFF, 0xFF},
    };
    return colours;
}

RgbaImage DrawUnsortedCopiesIcon(int page, int size)
{
    if (page < 1 || page > 3)
        throw std::invalid_argument("unsorted copies icon for pages 1 to 3 only");
    const IconMetrics m(size);
    RgbaImage image(size, size, kBlack, false);
    DrawSheet(image, m, 2, 1, 17, 22, page);
    DrawSheet(image, m, 12, 8, 17, 22, page);
    return image;
}

RgbaImage DrawSortedCopiesIcon(int size)
{
    const IconMetrics m(size);
    RgbaImage image(size, size, kBlack, false);
    for (int page = 1; page <= 3; ++page)
        DrawSheet(image, m, 1 + 8 * (page - 1), 1 + 5 * (page - 1), 14, 20, page);
    return image;
}

}  // namespace resource_art
