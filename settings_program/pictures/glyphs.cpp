#include "glyphs.h"

#include <stdexcept>

namespace resource_art {

std::vector<Contour> LetterA(double left, double top, double width, double height)
{
    // In a unit box: the outer sides rise by `slope` across the box from the
    // feet to a flat apex (0.38 to 0.62); the legs are `leg` wide at the baseline; the crossbar
    // lies between barTop and barBottom.
    constexpr double leg = 0.25, slope = 0.38, barTop = 0.60, barBottom = 0.77;
    auto innerRight = [&](double y) { return (1 - leg) - slope * (1 - y); };
    auto innerLeft = [&](double y) { return leg + slope * (1 - y); };
    const double counterApex = 1 - (1 - 2 * leg) / (2 * slope);

    auto box = [&](double x, double y) { return Point{left + x * width, top + y * height}; };
    const Contour outline = {
        box(slope, 0),  // flat apex
        box(1 - slope, 0),
        box(1, 1),
        box(1 - leg, 1),
        box(innerRight(barBottom), barBottom),
        box(innerLeft(barBottom), barBottom),
        box(leg, 1),
        box(0, 1),
    };
    const Contour counter = {
        box(0.5, counterApex),
        box(innerRight(barTop), barTop),
        box(innerLeft(barTop), barTop),
    };
    return {outline, counter};
}

void DrawDigit(RgbaImage& image, int digit, int x, int y, Rgb colour, int scale)
{
    static const char* const kRows[3][kDigitHeight] = {
        {"..##.", ".###.", "..##.", "..##.", "..##.", "..##.", ".####"},
        {".###.", "##.##", "...##", "..##.", ".##..", "##...", "#####"},
        {"####.", "...##", "...##", ".###.", "...##", "...##", "####."},
    };
    if (digit < 1 || digit > 3)
        throw std::invalid_argument("no glyph for this digit");
    for (int row = 0; row < kDigitHeight; ++row)
        for (int column = 0; column < kDigitWidth; ++column)
            if (kRows[digit - 1][row][column] == '#')
                image.FillRect(x + column * scale, y + row * scale, scale, scale, colour);
}

}  // namespace resource_art
