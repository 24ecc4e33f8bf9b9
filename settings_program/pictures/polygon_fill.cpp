#include "polygon_fill.h"

#include <algorithm>
#include <cmath>

namespace resource_art {

namespace {

constexpr int kSamplesPerAxis = 4;

// Even-odd rule: counts the edges a ray to the right of p crosses.
bool Inside(const std::vector<Contour>& contours, Point p)
{
    bool inside = false;
    for (const Contour& contour : contours) {
        const size_t n = contour.size();
        for (size_t i = 0, j = n - 1; i < n; j = i++) {
            const Point a = contour[i];
            const Point b = contour[j];
            if ((a.y > p.y) != (b.y > p.y) && p.x < a.x + (p.y - a.y) * (b.x - a.x) / (b.y - a.y))
                inside = !inside;
        }
    }
    return inside;
}

}  // namespace

void FillContours(RgbaImage& image, const std::vector<Contour>& contours, Rgb colour, double opacity)
{
    double minX = image.Width(), minY = image.Height(), maxX = 0, maxY = 0;
    for (const Contour& contour : contours)
        for (const Point& p : contour) {
            minX = std::min(minX, p.x);
            minY = std::min(minY, p.y);
            maxX = std::max(maxX, p.x);
            maxY = std::max(maxY, p.y);
        }
    const int left = std::max(0, static_cast<int>(std::floor(minX)));
    const int top = std::max(0, static_cast<int>(std::floor(minY)));
    const int right = std::min(image.Width(), static_cast<int>(std::ceil(maxX)));
    const int bottom = std::min(image.Height(), static_cast<int>(std::ceil(maxY)));

    constexpr double kStep = 1.0 / kSamplesPerAxis;
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x) {
            int covered = 0;
            for (int sy = 0; sy < kSamplesPerAxis; ++sy)
                for (int sx = 0; sx < kSamplesPerAxis; ++sx)
                    if (Inside(contours, Point{x + (sx + 0.5) * kStep, y + (sy + 0.5) * kStep}))
                        ++covered;
            image.Blend(x, y, colour, opacity * covered / (kSamplesPerAxis * kSamplesPerAxis));
        }
}

}  // namespace resource_art
