// The layout previews of the settings dialog: a page, upright or lying,
// with a large "A" for the scanned image at the chosen place, and for
// "fit to the page" arrows from the letter toward every side it may grow to.
// The build draws them at 120 x 120 pixels into the program's resources;
// the dialog draws them at its display's scale with the same code.
#pragma once
#include "rgba_image.h"

namespace resource_art {

// Size of the previews at 100 % display scale (the resources).
constexpr int kPreviewSize = 120;

struct PreviewLayout {
    int horizontal;  // 0 left, 1 centre, 2 right
    int vertical;    // 0 top, 1 middle, 2 bottom
    bool fullSize;   // false: fit to the page
    bool landscape;
};

// The layout a preview index (H + 3V + 9S + 18L, 0 to 35) stands for.
PreviewLayout LayoutOfPreviewIndex(int index);

// The colours of the previews.
namespace preview_ink {
constexpr Rgb kBackground{0xE4, 0xE4, 0xE4};
constexpr Rgb kFrame{0xB0, 0xB0, 0xB0};
constexpr Rgb kPage{0xFF, 0xFF, 0xFF};
constexpr Rgb kPageEdge{0x8A, 0x8A, 0x8A};
constexpr Rgb kShadow{0x00, 0x00, 0x00};
constexpr Rgb kLetter{0x1E, 0x27, 0x38};
constexpr Rgb kArrow{0x1C, 0x74, 0xD4};
}  // namespace preview_ink

// The preview size x size pixels large (at least kPreviewSize / 2): every
// part in proportion to its size in the kPreviewSize picture.
RgbaImage DrawPreview(const PreviewLayout& layout, int size = kPreviewSize);

}  // namespace resource_art
