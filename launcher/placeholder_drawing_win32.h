// Draws the placeholder of a page that cannot be printed into a bitmap of
// the placeholder's size: white, a heavy frame, the title large and the
// other lines below it, wrapped to the width (a long file name is broken
// where it must). Black on white only, so it prints crisp at any scale.
#pragma once
#include <string>
#include <vector>

#include "bitmap24.h"
#include "page_layout.h"

// False, with the failing call logged, when the bitmap cannot be made.
bool DrawPlaceholder(const std::vector<std::string>& lines, const PageImageSize& size,
                     Bitmap24& bitmap);
