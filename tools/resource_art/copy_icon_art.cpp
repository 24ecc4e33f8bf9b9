#include "copy_icon_art.h"

#include <stdexcept>

#include "glyphs.h"

namespace resource_art {

namespace {

const Rgb kBlack{0x00, 0x00, 0x00};
const Rgb kNavy{0x00, 0x00, 0x80};
const Rgb kGrey{0x80, 0x80, 0x80};
const Rgb kSilver{0xC0, 0xC0, 0xC0};
const Rgb kWhite{0xFF, 0xFF, 0xFF};

constexpr int kFold = 4;  // size of the folded corner

// A sheet at left, top: grey shadow to its lower right, black outline,
// white paper, a folded top-right corner, and its page number near the
// top-left corner (the part a sheet in front leaves visible).
void DrawSheet(RgbaImage& image, int left, int top, int width, int height, int page)
{
    image.FillRect(left + 1, top + height, width, 1, kGrey);
    image.FillRect(left + width, top + 1, 1, height, kGrey);
    const int foldLeft = width - 1 - kFold;  // first column of the folded corner
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const bool beyondFold = x - foldLeft > y;  // cut away by the fold
            if (beyondFold)
                continue;
            const bool onEdge = x == 0 || y == 0 || x == width - 1 || y == height - 1 || x - foldLeft == y;
            const bool inFold = x >= foldLeft && y <= kFold;
            Rgb colour = kWhite;
            if (onEdge || (inFold && (x == foldLeft || y == kFold)))
                colour = kBlack;
            else if (inFold)
                colour = kSilver;
            image.Set(left + x, top + y, colour);
        }
    DrawDigit(image, page, left + 2, top + 2, kNavy);
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

RgbaImage DrawUnsortedCopiesIcon(int page)
{
    if (page < 1 || page > 3)
        throw std::invalid_argument("unsorted copies icon for pages 1 to 3 only");
    RgbaImage image(kCopyIconSize, kCopyIconSize, kBlack, false);
    DrawSheet(image, 2, 1, 17, 22, page);
    DrawSheet(image, 12, 8, 17, 22, page);
    return image;
}

RgbaImage DrawSortedCopiesIcon()
{
    RgbaImage image(kCopyIconSize, kCopyIconSize, kBlack, false);
    for (int page = 1; page <= 3; ++page)
        DrawSheet(image, 1 + 8 * (page - 1), 1 + 5 * (page - 1), 14, 20, page);
    return image;
}

}  // namespace resource_art
