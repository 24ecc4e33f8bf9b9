// Resampling a picture to another size by area: each new pixel is the
// average of the part of the old picture it covers, weighted by opacity.
// The application icon's other sizes come from its 32-pixel design this
// way: a larger size keeps the design's shapes with soft edges only where
// they fall between pixels; a smaller one is smoothed.
#pragma once
#include "rgba_image.h"

namespace resource_art {

RgbaImage ResampleArea(const RgbaImage& source, int width, int height);

}  // namespace resource_art
