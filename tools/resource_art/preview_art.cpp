#include "preview_art.h"

#include <algorithm>
#include <stdexcept>

#include "glyphs.h"
#include "polygon_fill.h"

namespace resource_art {

namespace {

// Page of about A4 proportions; its short side across a portrait preview.
constexpr int kPageShort = 74;
constexpr int kPageLong = 104;
constexpr int kShadowOffset = 3;
constexpr int kLetterWidth = 30;
constexpr int kLetterHeight = 34;
// From the page edge (outside of its outline) to an anchored letter.
constexpr int kLetterInset = 7;
// Arrows: gap to the letter and to the page edge, longest length, shaft and head.
constexpr int kArrowGap = 3;
constexpr int kArrowMaxLength = 14;
constexpr double kArrowShaft = 3.0;
constexpr double kArrowHeadWidth = 9.0;
constexpr double kArrowHeadLength = 6.0;

struct Box {
    int left, top, width, height;
    int Right() const { return left + width; }
    int Bottom() const { return top + height; }
};

// Where along an axis of length `room` a letter of size `size` sits for a
// place 0 (start), 1 (middle) or 2 (end).
int Place(int place, int start, int room, int size)
{
    if (place == 0)
        return start + kLetterInset;
    if (place == 2)
        return start + room - kLetterInset - size;
    return start + (room - size) / 2;
}

void DrawPage(RgbaImage& image, const Box& page)
{
    using namespace preview_ink;
    // A soft shadow: three offset layers, darkest where they all overlap.
    for (int spread = 0; spread < 3; ++spread)
        image.FillRect(page.left + kShadowOffset - spread + 1, page.top + kShadowOffset - spread + 1,
                       page.width + 2 * spread - 1, page.height + 2 * spread - 1, kShadow, 0.09);
    image.FillRect(page.left, page.top, page.width, page.height, kPageEdge);
    image.FillRect(page.left + 1, page.top + 1, page.width - 2, page.height - 2, kPage);
}

// An arrow from `from` pointing in direction (dx, dy) (one of them 0), length long.
void DrawArrow(RgbaImage& image, Point from, int dx, int dy, double length)
{
    // Along the arrow (a) and across it (c), mapped into picture coordinates.
    auto at = [&](double a, double c) { return Point{from.x + a * dx - c * dy, from.y + a * dy + c * dx}; };
    const double neck = length - kArrowHeadLength;
    const Contour arrow = {
        at(0, -kArrowShaft / 2),          at(neck, -kArrowShaft / 2), at(neck, -kArrowHeadWidth / 2),
        at(length, 0),                    at(neck, kArrowHeadWidth / 2), at(neck, kArrowShaft / 2),
        at(0, kArrowShaft / 2),
    };
    FillContours(image, {arrow}, preview_ink::kArrow);
}

// Arrows toward the sides of the page the letter is not anchored to.
void DrawFitArrows(RgbaImage& image, const Box& page, const Box& letter, const PreviewLayout& layout)
{
    const double midX = letter.left + letter.width / 2.0;
    const double midY = letter.top + letter.height / 2.0;
    auto arrow = [&](double startX, double startY, int dx, int dy, int room) {
        const int length = std::min(kArrowMaxLength, room - 2 * kArrowGap);
        if (length < kArrowHeadLength + 2)
            throw std::logic_error("no room for an arrow in the preview");
        DrawArrow(image, Point{startX + dx * kArrowGap, startY + dy * kArrowGap}, dx, dy, length);
    };
    if (layout.horizontal != 2)
        arrow(letter.Right(), midY, 1, 0, page.Right() - 1 - letter.Right());
    if (layout.horizontal != 0)
        arrow(letter.left, midY, -1, 0, letter.left - (page.left + 1));
    if (layout.vertical != 2)
        arrow(midX, letter.Bottom(), 0, 1, page.Bottom() - 1 - letter.Bottom());
    if (layout.vertical != 0)
        arrow(midX, letter.top, 0, -1, letter.top - (page.top + 1));
}

}  // namespace

PreviewLayout LayoutOfPreviewIndex(int index)
{
    if (index < 0 || index >= 36)
        throw std::out_of_range("preview index out of range");
    return PreviewLayout{index % 3, index / 3 % 3, index / 9 % 2 == 1, index / 18 == 1};
}

RgbaImage DrawPreview(const PreviewLayout& layout)
{
    using namespace preview_ink;
    RgbaImage image(kPreviewSize, kPreviewSize, kBackground, true);
    // A thin frame sets the picture off from the dialog around it.
    image.FillRect(0, 0, kPreviewSize, 1, kFrame);
    image.FillRect(0, kPreviewSize - 1, kPreviewSize, 1, kFrame);
    image.FillRect(0, 0, 1, kPreviewSize, kFrame);
    image.FillRect(kPreviewSize - 1, 0, 1, kPreviewSize, kFrame);

    const int pageWidth = layout.landscape ? kPageLong : kPageShort;
    const int pageHeight = layout.landscape ? kPageShort : kPageLong;
    const Box page{(kPreviewSize - pageWidth - kShadowOffset + 1) / 2,
                   (kPreviewSize - pageHeight - kShadowOffset + 1) / 2, pageWidth, pageHeight};
    DrawPage(image, page);

    const Box letter{Place(layout.horizontal, page.left, page.width, kLetterWidth),
                     Place(layout.vertical, page.top, page.height, kLetterHeight), kLetterWidth,
                     kLetterHeight};
    FillContours(image, LetterA(letter.left, letter.top, letter.width, letter.height), kLetter);
    if (!layout.fullSize)
        DrawFitArrows(image, page, letter, layout);
    return image;
}

}  // namespace resource_art
