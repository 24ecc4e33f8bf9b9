#include "area_resample.h"

#include <algorithm>

namespace resource_art {

namespace {

// How much of source cell `cell` (length 1) lies inside [from, to).
double Overlap(int cell, double from, double to)
{
    return std::max(0.0, std::min<double>(cell + 1, to) - std::max<double>(cell, from));
}

}  // namespace

RgbaImage ResampleArea(const RgbaImage& source, int width, int height)
{
    RgbaImage out(width, height, Rgb{}, false);
    const double sx = static_cast<double>(source.Width()) / width;
    const double sy = static_cast<double>(source.Height()) / height;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const double left = x * sx, right = left + sx, top = y * sy, bottom = top + sy;
            // Colours averaged premultiplied, so transparent pixels add no colour.
            double r = 0, g = 0, b = 0, a = 0;
            for (int v = static_cast<int>(top); v < bottom && v < source.Height(); ++v)
                for (int u = static_cast<int>(left); u < right && u < source.Width(); ++u) {
                    const double weight = Overlap(u, left, right) * Overlap(v, top, bottom);
                    const double opacity = source.OpacityAt(u, v) * weight;
                    const Rgb c = source.ColourAt(u, v);
                    r += c.r * opacity, g += c.g * opacity, b += c.b * opacity, a += opacity;
                }
            const double area = sx * sy;
            if (a <= 0)
                continue;
            const Rgb colour{static_cast<uint8_t>(std::min(255.0, r / a + 0.5)),
                             static_cast<uint8_t>(std::min(255.0, g / a + 0.5)),
                             static_cast<uint8_t>(std::min(255.0, b / a + 0.5))};
            out.Blend(x, y, colour, a / area);
        }
    return out;
}

}  // namespace resource_art
