// The copy-order icons of the settings dialog, 32 x 32 in the 16 standard
// colours: numbered sheets, outlined, with a folded corner.
#pragma once
#include <vector>

#include "rgba_image.h"

namespace resource_art {

constexpr int kCopyIconSize = 32;

// The 16 colours of the standard VGA palette, in their usual order.
const std::vector<Rgb>& StandardSixteenColours();

// Copies printed page by page: two overlapping sheets both numbered page (1 to 3).
RgbaImage DrawUnsortedCopiesIcon(int page);

// Copies printed set by set: a fanned stack of pages 1, 2 and 3. The
// dialog shows it twice side by side, one per set.
RgbaImage DrawSortedCopiesIcon();

}  // namespace resource_art
