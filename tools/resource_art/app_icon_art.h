// The application icon: a printer with a sheet waiting in its feeder and a
// printed page coming out of the front, drawn pixel-exact for each size.
#pragma once
#include "rgba_image.h"

namespace resource_art {

// size: 32 or 16.
RgbaImage DrawAppIcon(int size);

// The sizes the icon file holds besides 32 and 16, resampled from the
// 32-pixel design.
constexpr int kAppIconResampledSizes[] = {20, 24, 40, 48, 64, 256};

}  // namespace resource_art
