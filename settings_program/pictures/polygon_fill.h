// Antialiased filling of outlines given as polygons in pixel coordinates
// (pixel x covers x to x + 1).
#pragma once
#include <vector>

#include "rgba_image.h"

namespace resource_art {

struct Point {
    double x;
    double y;
};

using Contour = std::vector<Point>;

// Fills what lies inside an odd number of the contours, so a contour inside
// another cuts a hole (the counter of a letter). Each pixel is sampled on a
// 4 x 4 grid and painted with the covered share of opacity.
void FillContours(RgbaImage& image, const std::vector<Contour>& contours, Rgb colour,
                  double opacity = 1.0);

}  // namespace resource_art
