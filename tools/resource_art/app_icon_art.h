// The application icon: a printer with a sheet waiting in its feeder and a
// printed page coming out of the front, drawn pixel-exact for each size.
#pragma once
#include "rgba_image.h"

namespace resource_art {

// size: 32 or 16.
RgbaImage DrawAppIcon(int size);

}  // namespace resource_art
