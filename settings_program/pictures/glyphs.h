// The lettering of the pictures, designed here: a bold sans-serif "A" as
// outlines for the previews, and small pixel digits for the page numbers
// of the copy-order icons.
#pragma once
#include <vector>

#include "polygon_fill.h"
#include "rgba_image.h"

namespace resource_art {

// Outline and counter of a bold "A" filling the box at left, top.
std::vector<Contour> LetterA(double left, double top, double width, double height);

constexpr int kDigitWidth = 5;
constexpr int kDigitHeight = 7;

// Paints digit (1, 2 or 3) with its top-left pixel at x, y, each pixel of
// the glyph as a block of scale x scale pixels.
void DrawDigit(RgbaImage& image, int digit, int x, int y, Rgb colour, int scale = 1);

}  // namespace resource_art
