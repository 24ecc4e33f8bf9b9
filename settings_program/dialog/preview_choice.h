// What the settings dialog shows for the options chosen now: the preview
// picture, the state of AutoRotate that full size forces, and which group of
// copy-order icons is visible. The dialog reads its controls into a
// DialogOptions and applies the result; nothing here touches a window.
#pragma once
#include <array>

#include "dialog/dialog_options.h"

// Preview index of "nothing to show": a list without a selection (or a
// position the lists do not have).
constexpr int kNoPreview = -1;

// H + 3V + 9S + 18L for horizontal 0..2, vertical 0..2, print size 0..1;
// kNoPreview when any of the three is outside its range.
int PreviewIndex(int horizontal, int vertical, int printSize, bool landscape);

// Resource id of the picture of a preview index; 0 for kNoPreview or any
// index outside the table.
int PreviewBitmapId(int previewIndex);

// One copy-order icon control and whether it is shown.
struct IconVisibility {
    int controlId;
    bool visible;
};

// The five copy-order icon controls, unsorted group (11003-11005) first:
// exactly one group is visible, the sorted one (11024, 11025) when sorting
// is on.
std::array<IconVisibility, 5> CopyOrderIconVisibility(bool sorted);

// Everything an update of the preview changes.
struct PreviewState {
    // kNoPreview leaves the picture and AutoRotate exactly as they are.
    int previewIndex = kNoPreview;
    int bitmapId = 0;
    // Only when previewIndex is valid: full size checks AutoRotate and
    // greys it out; fit makes it available again, its check kept.
    bool checkAutoRotate = false;
    bool enableAutoRotate = true;
    std::array<IconVisibility, 5> icons{};
};

PreviewState ComputePreviewState(const DialogOptions& options);
