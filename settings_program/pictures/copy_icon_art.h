// The copy-order icons of the settings dialog: numbered sheets, outlined,
// with a folded corner, in the 16 standard colours. The build draws them at
// 32 x 32 pixels into the program's resources; the dialog draws them at its
// display's scale with the same code.
#pragma once
#include <vector>

#include "rgba_image.h"

namespace resource_art {

// Size of the icons at 100 % display scale (the resources).
constexpr int kCopyIconSize = 32;

// The 16 colours of the standard VGA palette, in their usual order.
const std::vector<Rgb>& StandardSixteenColours();

// Copies printed page by page: two overlapping sheets both numbered page (1 to 3).
// size: kCopyIconSize / 2 to 8 x kCopyIconSize; every part in proportion.
RgbaImage DrawUnsortedCopiesIcon(int page, int size = kCopyIconSize);

// Copies printed set by set: a fanned stack of pages 1, 2 and 3. The
// dialog shows it twice side by side, one per set.
RgbaImage DrawSortedCopiesIcon(int size = kCopyIconSize);

}  // namespace resource_art
