// Pixels of what another process shows, and of pictures to compare them
// with, as 0x00RRGGBB row by row from the top. Windows are read from the
// screen: Wine copies nothing from another process's window device context,
// but all processes paint on one display.
#pragma once
#include <windows.h>

#include <cstddef>
#include <vector>

// What the screen shows now in width x height of the window's client area,
// from its top-left corner; empty when it cannot be read.
std::vector<DWORD> CaptureClientArea(HWND window, int width, int height);

// The bitmap's pixels (it must not be selected into a device context);
// empty when they cannot be read.
std::vector<DWORD> BitmapPixels(HBITMAP bitmap, int width, int height);

// The icon drawn stretched over width x height on a background colour
// (0x00RRGGBB), as a static control draws its icon; empty when it cannot be
// drawn.
std::vector<DWORD> IconPixels(HICON icon, int width, int height, DWORD background);

// Picks, of several candidates offered in turn, the one closest to a target.
// A pixel differs when one of its channels differs by more than the channel
// tolerance; a candidate matches when it is as large as the target, not
// empty, and at most one pixel in mismatchShare differs.
class ClosestPixels {
public:
    // The target must outlive this object.
    ClosestPixels(const std::vector<DWORD>& target, int channelTolerance, size_t mismatchShare);

    // True when the candidate matches with fewer differing pixels than every
    // candidate offered before.
    bool Offer(const std::vector<DWORD>& candidate);

private:
    const std::vector<DWORD>& m_target;
    int m_channelTolerance;
    size_t m_fewest;  // a closer candidate differs in fewer pixels than this
};
