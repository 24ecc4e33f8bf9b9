#include "preview_picture.h"

#include <memory>
#include <type_traits>

#include "dialog/preview_ids.h"
#include "screen_pixels.h"
#include "win32_shared/gdi_handles_win32.h"
#include "win32_shared/loaded_module_win32.h"

namespace {

// A channel may differ this much (what a lower colour depth of the display
// does), and a thousandth of the pixels may differ, before a picture counts
// as another: the fit and full-size pictures differ only in their arrows.
const int kChannelTolerance = 8;
const size_t kMismatchShare = 1000;

}  // namespace

PreviewPictures::PreviewPictures(const std::string& programPath)
{
    const LoadedModule program(LoadLibraryExA(programPath.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE));
    if (!program)
        return;
    m_loaded = true;
    for (int id : kPreviewBitmapIds) {
        const BitmapHandle bitmap(static_cast<HBITMAP>(LoadImageA(
            program.Get(), MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
        BITMAP shape = {};
        Picture picture;
        if (bitmap && GetObjectA(bitmap.Get(), sizeof shape, &shape)) {
            picture.width = shape.bmWidth;
            picture.height = shape.bmHeight;
            picture.pixels = BitmapPixels(bitmap.Get(), shape.bmWidth, shape.bmHeight);
        }
        m_loaded = m_loaded && !picture.pixels.empty();
        m_pictures[id] = picture;
    }
}

int PreviewPictures::Shown(HWND control) const
{
    RECT client = {};
    if (!IsWindowVisible(control) || !GetClientRect(control, &client))
        return 0;
    const std::vector<DWORD> shown = CaptureClientArea(control, client.right, client.bottom);
    ClosestPixels closest(shown, kChannelTolerance, kMismatchShare);
    int closestId = 0;
    for (const auto& entry : m_pictures) {
        if (entry.second.width == client.right && closest.Offer(entry.second.pixels))
            closestId = entry.first;
    }
    return closestId;
}
