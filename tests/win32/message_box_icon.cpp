#include "message_box_icon.h"

#include <vector>

#include "screen_pixels.h"

namespace {

// The icon static of a Wine message box (hidden when the box has no icon).
const int kIconStaticId = 1088;
const DWORD kPollMs = 20;
// A channel may differ this much before a pixel counts as different, and a
// twentieth of the pixels may differ, for what blending and colour depth do.
const int kChannelTolerance = 32;
const size_t kMismatchShare = 20;

// The system icon the captured pixels show; Unknown when none is close.
BoxIcon Match(const std::vector<DWORD>& captured, int width, int height)
{
    static const struct {
        LPCSTR id;
        BoxIcon icon;
    } candidates[] = {{IDI_HAND, BoxIcon::Stop},
                      {IDI_EXCLAMATION, BoxIcon::Exclamation},
                      {IDI_ASTERISK, BoxIcon::Information},
                      {IDI_QUESTION, BoxIcon::Question}};
    BoxIcon best = BoxIcon::Unknown;
    ClosestPixels closest(captured, kChannelTolerance, kMismatchShare);
    // The icon's corner is transparent: it shows the static's background.
    const DWORD background = captured.front();
    for (const auto& candidate : candidates) {
        if (closest.Offer(IconPixels(LoadIconA(nullptr, candidate.id), width, height, background)))
            best = candidate.icon;
    }
    return best;
}

}  // namespace

const char* BoxIconName(BoxIcon icon)
{
    switch (icon) {
    case BoxIcon::None:
        return "none";
    case BoxIcon::Stop:
        return "stop";
    case BoxIcon::Exclamation:
        return "exclamation";
    case BoxIcon::Information:
        return "information";
    case BoxIcon::Question:
        return "question";
    case BoxIcon::Unknown:
        break;
    }
    return "unknown";
}

BoxIcon ReadBoxIcon(HWND box, DWORD timeoutMs)
{
    const HWND control = GetDlgItem(box, kIconStaticId);
    if (!control || !IsWindowVisible(control))
        return BoxIcon::None;
    const DWORD start = GetTickCount();
    for (;;) {
        RECT client = {};
        GetClientRect(control, &client);
        const int width = client.right - client.left;
        const int height = client.bottom - client.top;
        if (width > 0 && height > 0) {
            const std::vector<DWORD> captured = CaptureClientArea(control, width, height);
            const BoxIcon icon =
                captured.empty() ? BoxIcon::Unknown : Match(captured, width, height);
            if (icon != BoxIcon::Unknown)
                return icon;
        }
        if (GetTickCount() - start > timeoutMs || !IsWindow(box))
            return BoxIcon::Unknown;
        Sleep(kPollMs);
    }
}
