#include "screen_pixels.h"

#include <cstdlib>
#include <utility>

#include "win32_shared/gdi_handles_win32.h"

namespace {

BITMAPINFO TopDown32(int width, int height)
{
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

// Drops the unused top byte, which drawing may leave set.
std::vector<DWORD> WithoutTopByte(std::vector<DWORD> pixels)
{
    for (DWORD& pixel : pixels)
        pixel &= 0x00FFFFFF;
    return pixels;
}

using BrushHandle = UniqueHandle<GdiObjectTraits<HBRUSH>>;

// A 32-bit top-down bitmap selected into a memory device context.
class Canvas {
public:
    Canvas(int width, int height)
        : m_width(width),
          m_height(height),
          m_dc(CreateCompatibleDC(nullptr)),
          m_bitmap(m_dc ? CreateDib(m_dc.Get(), width, height, &m_bits) : nullptr),
          m_selection(m_dc.Get(), m_bitmap.Get())
    {
    }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    bool Ready() const { return static_cast<bool>(m_selection); }
    HDC Dc() const { return m_dc.Get(); }
    std::vector<DWORD> Pixels() const
    {
        GdiFlush();
        const DWORD* bits = static_cast<const DWORD*>(m_bits);
        return WithoutTopByte(
            std::vector<DWORD>(bits, bits + static_cast<size_t>(m_width) * m_height));
    }

private:
    static HBITMAP CreateDib(HDC dc, int width, int height, void** bits)
    {
        const BITMAPINFO info = TopDown32(width, height);
        return CreateDIBSection(dc, &info, DIB_RGB_COLORS, bits, nullptr, 0);
    }

    int m_width;
    int m_height;
    void* m_bits = nullptr;  // set while m_bitmap is made
    CreatedDc m_dc;
    BitmapHandle m_bitmap;        // deleted before the device context
    ObjectSelection m_selection;  // deselected before the bitmap is deleted
};

bool Close(DWORD a, DWORD b, int channelTolerance)
{
    for (int shift = 0; shift < 24; shift += 8) {
        if (std::abs(int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF)) > channelTolerance)
            return false;
    }
    return true;
}

}  // namespace

std::vector<DWORD> CaptureClientArea(HWND window, int width, int height)
{
    Canvas canvas(width, height);
    const WindowDc screen(nullptr);
    POINT origin = {0, 0};
    if (!canvas.Ready() || !screen || !ClientToScreen(window, &origin))
        return {};
    if (!BitBlt(canvas.Dc(), 0, 0, width, height, screen.Get(), origin.x, origin.y, SRCCOPY))
        return {};
    return canvas.Pixels();
}

std::vector<DWORD> BitmapPixels(HBITMAP bitmap, int width, int height)
{
    const WindowDc screen(nullptr);
    BITMAPINFO info = TopDown32(width, height);
    std::vector<DWORD> pixels(static_cast<size_t>(width) * height);
    if (!screen ||
        GetDIBits(screen.Get(), bitmap, 0, height, pixels.data(), &info, DIB_RGB_COLORS) != height)
        return {};
    return WithoutTopByte(std::move(pixels));
}

std::vector<DWORD> IconPixels(HICON icon, int width, int height, DWORD background)
{
    Canvas canvas(width, height);
    if (!canvas.Ready())
        return {};
    const BrushHandle brush(CreateSolidBrush(
        RGB((background >> 16) & 0xFF, (background >> 8) & 0xFF, background & 0xFF)));
    RECT all = {0, 0, width, height};
    FillRect(canvas.Dc(), &all, brush.Get());
    DrawIconEx(canvas.Dc(), 0, 0, icon, width, height, 0, nullptr, DI_NORMAL);
    return canvas.Pixels();
}

ClosestPixels::ClosestPixels(const std::vector<DWORD>& target, int channelTolerance,
                             size_t mismatchShare)
    : m_target(target),
      m_channelTolerance(channelTolerance),
      m_fewest(target.size() / mismatchShare + 1)
{
}

bool ClosestPixels::Offer(const std::vector<DWORD>& candidate)
{
    if (candidate.empty() || candidate.size() != m_target.size())
        return false;
    size_t mismatches = 0;
    for (size_t i = 0; i < candidate.size(); ++i)
        mismatches += Close(candidate[i], m_target[i], m_channelTolerance) ? 0 : 1;
    if (mismatches >= m_fewest)
        return false;
    m_fewest = mismatches;
    return true;
}
