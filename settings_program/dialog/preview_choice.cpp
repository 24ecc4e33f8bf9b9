#include "dialog/preview_choice.h"

#include "dialog/preview_ids.h"
#include "resources/dialog_ids.h"

namespace {

constexpr int kPlaces = 3;  // positions in the Horizontal and Vertical lists
constexpr int kSizes = 2;   // fit, full size
constexpr int kFullSize = 1;

bool InRange(int value, int count)
{
    return value >= 0 && value < count;
}

}  // namespace

int PreviewIndex(int horizontal, int vertical, int printSize, bool landscape)
{
    if (!InRange(horizontal, kPlaces) || !InRange(vertical, kPlaces) || !InRange(printSize, kSizes))
        return kNoPreview;
    return horizontal + 3 * vertical + 9 * printSize + 18 * (landscape ? 1 : 0);
}

int PreviewBitmapId(int previewIndex)
{
    return InRange(previewIndex, kPreviewBitmapCount) ? kPreviewBitmapIds[previewIndex] : 0;
}

std::array<IconVisibility, 5> CopyOrderIconVisibility(bool sorted)
{
    return {{{IDC_UNSORTED_PAGE1, !sorted},
             {IDC_UNSORTED_PAGE2, !sorted},
             {IDC_UNSORTED_PAGE3, !sorted},
             {IDC_SORTED_SET1, sorted},
             {IDC_SORTED_SET2, sorted}}};
}

PreviewState ComputePreviewState(const DialogOptions& options)
{
    PreviewState state;
    state.previewIndex =
        PreviewIndex(options.horizontal, options.vertical, options.printSize, options.landscape);
    if (state.previewIndex != kNoPreview) {
        state.bitmapId = PreviewBitmapId(state.previewIndex);
        const bool fullSize = options.printSize == kFullSize;
        state.checkAutoRotate = fullSize;
        state.enableAutoRotate = !fullSize;
    }
    state.icons = CopyOrderIconVisibility(options.sorted);
    return state;
}
