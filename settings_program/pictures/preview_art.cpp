#include "preview_art.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "glyphs.h"
#include "polygon_fill.h"

namespace resource_art {

namespace {

// Every length of the kPreviewSize picture, in pixels; other sizes scale
// them. Page of about A4 proportions; its short side across a portrait preview.
struct PreviewMetrics {
    explicit PreviewMetrics(int size) : scale(static_cast<double>(size) / kPreviewSize) {}
    int Length(int pixels) const { return static_cast<int>(std::lround(pixels * scale)); }
    // A line is never thinner than one pixel.
    int Line(int pixels) const { return std::max(1, Length(pixels)); }

    double scale;
    int pageShort = Length(74);
    int pageLong = Length(104);
    int shadowOffset = Length(3);
    int letterWidth = Length(30);
    int letterHeight = Length(34);
    // From the page edge (outside of its outline) to an anchored letter.
    int letterInset = Length(7);
    // Arrows: gap to the letter and to the page edge, longest length, shaft and head.
    int arrowGap = Length(3);
    int arrowMaxLength = Length(14);
    double arrowShaft = 3.0 * scale;
    double arrowHeadWidth = 9.0 * scale;
    double arrowHeadLength = 6.0 * scale;
};

struct Box {
    int left, top, width, height;
    int Right() const { return left + width; }
    int Bottom() const { return top + height; }
};

// Where along an axis of length `room` a letter of size `size` sits for a
// place 0 (start), 1 (middle) or 2 (end).
int Place(const PreviewMetrics& m, int place, int start, int room, int size)
{
    if (place == 0)
        return start + m.letterInset;
    if (place == 2)
        return start + room - m.letterInset - size;
    return start + (room - size) / 2;
}

void DrawPage(RgbaImage& image, const PreviewMetrics& m, const Box& page)
{
    using namespace preview_ink;
    // A soft shadow: three offset layers, darkest where they all overlap.
    for (int layer = 0; layer < 3; ++layer) {
        const int spread = m.Length(layer);
        image.FillRect(page.left + m.shadowOffset - spread + m.Line(1),
                       page.top + m.shadowOffset - spread + m.Line(1),
                       page.width + 2 * spread - m.Line(1), page.height + 2 * spread - m.Line(1),
                       kShadow, 0.09);
    }
    const int edge = m.Line(1);
    image.FillRect(page.left, page.top, page.width, page.height, kPageEdge);
    image.FillRect(page.left + edge, page.top + edge, page.width - 2 * edge, page.height - 2 * edge, kPage);
}

// An arrow from `from` pointing in direction (dx, dy) (one of them 0), length long.
void DrawArrow(RgbaImage& image, const PreviewMetrics& m, Point from, int dx, int dy, double length)
{
    // Along the arrow (a) and across it (c), mapped into picture coordinates.
    auto at = [&](double a, double c) { return Point{from.x + a * dx - c * dy, from.y + a * dy + c * dx}; };
    const double neck = length - m.arrowHeadLength;
    const Contour arrow = {
        at(0, -m.arrowShaft / 2),          at(neck, -m.arrowShaft / 2), at(neck, -m.arrowHeadWidth / 2),
        at(length, 0),                     at(neck, m.arrowHeadWidth / 2), at(neck, m.arrowShaft / 2),
        at(0, m.arrowShaft / 2),
    };
    FillContours(image, {arrow}, preview_ink::kArrow);
}

// Arrows toward the sides of the page the letter is not anchored to.
void DrawFitArrows(RgbaImage& image, const PreviewMetrics& m, const Box& page, const Box& letter,
                   const PreviewLayout& layout)
{
    const double midX = letter.left + letter.width / 2.0;
    const double midY = letter.top + letter.height / 2.0;
    const int edge = m.Line(1);
    auto arrow = [&](double startX, double startY, int dx, int dy, int room) {
        const int length = std::min(m.arrowMaxLength, room - 2 * m.arrowGap);
        if (length < m.arrowHeadLength + 2 * m.scale)
            throw std::logic_error("no room for an arrow in the preview");
        DrawArrow(image, m, Point{startX + dx * m.arrowGap, startY + dy * m.arrowGap}, dx, dy, length);
    };
    if (layout.horizontal != 2)
        arrow(letter.Right(), midY, 1, 0, page.Right() - edge - letter.Right());
    if (layout.horizontal != 0)
        arrow(letter.left, midY, -1, 0, letter.left - (page.left + edge));
    if (layout.vertical != 2)
        arrow(midX, letter.Bottom(), 0, 1, page.Bottom() - edge - letter.Bottom());
    if (layout.vertical != 0)
        arrow(midX, letter.top, 0, -1, letter.top - (page.top + edge));
}

}  // namespace

PreviewLayout LayoutOfPreviewIndex(int index)
{
    if (index < 0 || index >= 36)
        throw std::out_of_range("preview index out of range");
    return PreviewLayout{index % 3, index / 3 % 3, index / 9 % 2 == 1, index / 18 == 1};
}

RgbaImage DrawPreview(const PreviewLayout& layout, int size)
{
    using namespace preview_ink;
    if (size < kPreviewSize / 2)
        throw std::invalid_argument("preview too small to draw");
    const PreviewMetrics m(size);
    RgbaImage image(size, size, kBackground, true);
    // A thin frame sets the picture off from the dialog around it.
    const int frame = m.Line(1);
    image.FillRect(0, 0, size, frame, kFrame);
    image.FillRect(0, size - frame, size, frame, kFrame);
    image.FillRect(0, 0, frame, size, kFrame);
    image.FillRect(size - frame, 0, frame, size, kFrame);

    const int pageWidth = layout.landscape ? m.pageLong : m.pageShort;
    const int pageHeight = layout.landscape ? m.pageShort : m.pageLong;
    const Box page{(size - pageWidth - m.shadowOffset + 1) / 2, (size - pageHeight - m.shadowOffset + 1) / 2,
                   pageWidth, pageHeight};
    DrawPage(image, m, page);

    const Box letter{Place(m, layout.horizontal, page.left, page.width, m.letterWidth),
                     Place(m, layout.vertical, page.top, page.height, m.letterHeight), m.letterWidth,
                     m.letterHeight};
    FillContours(image, LetterA(letter.left, letter.top, letter.width, letter.height), kLetter);
    if (!layout.fullSize)
        DrawFitArrows(image, m, page, letter, layout);
    return image;
}

}  // namespace resource_art
