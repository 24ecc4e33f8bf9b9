#include "dialog/scaled_pictures_win32.h"

#include <exception>
#include <string>

#include "copy_icon_art.h"
#include "dialog/preview_ids.h"
#include "preview_art.h"
#include "win32_shared/gdi_handles_win32.h"

namespace {

const int kDpiAt100 = 96;

// Average character width and line height of a font, as the dialog
// manager measures its base units; 0, 0 when it cannot.
SIZE FontUnits(HDC dc, const LOGFONTA& font)
{
    SIZE units = {0, 0};
    // Declared in this order so that the font is deselected before it is deleted.
    const FontHandle created(CreateFontIndirectA(&font));
    if (!created)
        return units;
    const ObjectSelection selection(dc, created.Get());
    TEXTMETRICA metrics;
    SIZE letters;
    static const char kLetters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    if (selection && GetTextMetricsA(dc, &metrics) &&
        GetTextExtentPoint32A(dc, kLetters, 52, &letters)) {
        units.cx = (letters.cx / 26 + 1) / 2;
        units.cy = metrics.tmHeight;
    }
    return units;
}

// A top-down 32-bit bitmap section of the picture's pixels with their opacity.
BitmapHandle ToBitmap(const resource_art::RgbaImage& image, bool opaque)
{
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = image.Width();
    info.bmiHeader.biHeight = -image.Height();
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    BitmapHandle bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap || !bits)
        return bitmap;
    BYTE* pixel = static_cast<BYTE*>(bits);
    for (int y = 0; y < image.Height(); ++y)
        for (int x = 0; x < image.Width(); ++x, pixel += 4) {
            const resource_art::Rgb c = image.ColourAt(x, y);
            const double opacity = opaque ? 1.0 : image.OpacityAt(x, y);
            pixel[0] = c.b;
            pixel[1] = c.g;
            pixel[2] = c.r;
            pixel[3] = static_cast<BYTE>(opacity * 255.0 + 0.5);
        }
    return bitmap;
}

// A monochrome mask: 1 where the picture is less than half opaque.
BitmapHandle ToMask(const resource_art::RgbaImage& image)
{
    const int rowBytes = ((image.Width() + 15) / 16) * 2;  // word-aligned rows
    std::string bits(static_cast<size_t>(rowBytes) * image.Height(), '\0');
    for (int y = 0; y < image.Height(); ++y)
        for (int x = 0; x < image.Width(); ++x)
            if (image.OpacityAt(x, y) < 0.5)
                bits[static_cast<size_t>(y) * rowBytes + x / 8] |= static_cast<char>(0x80 >> (x % 8));
    return BitmapHandle(CreateBitmap(image.Width(), image.Height(), 1, 1, bits.data()));
}

}  // namespace

DisplayScale MeasureDialogScale(HWND dialog)
{
    const WindowDc screen(nullptr);
    const HFONT font = reinterpret_cast<HFONT>(SendMessageA(dialog, WM_GETFONT, 0, 0));
    LOGFONTA now;
    if (!screen || !font || GetObjectA(font, sizeof now, &now) != sizeof now)
        return DisplayScale();
    const int dpi = GetDeviceCaps(screen.Get(), LOGPIXELSY);
    if (dpi <= 0 || dpi == kDpiAt100)
        return DisplayScale();
    // The same font as the template gives it at 96 dots per inch: from its
    // size in points (a template names whole points), as the dialog
    // manager makes it.
    LOGFONTA at100 = now;
    if (now.lfHeight < 0)
        at100.lfHeight = -MulDiv(MulDiv(-now.lfHeight, 72, dpi), kDpiAt100, 72);
    else
        at100.lfHeight = MulDiv(now.lfHeight, kDpiAt100, dpi);
    at100.lfWidth = MulDiv(now.lfWidth, kDpiAt100, dpi);
    const SIZE unitsNow = FontUnits(screen.Get(), now);
    const SIZE unitsAt100 = FontUnits(screen.Get(), at100);
    return DisplayScaleFromFont(unitsNow.cx, unitsNow.cy, unitsAt100.cx, unitsAt100.cy);
}

BitmapHandle DrawPreviewBitmap(int previewIndex, int size)
{
    try {
        return ToBitmap(
            resource_art::DrawPreview(resource_art::LayoutOfPreviewIndex(previewIndex), size), true);
    } catch (const std::exception&) {
        return BitmapHandle();  // the resource's picture is shown instead
    }
}

IconHandle DrawCopyOrderIcon(int iconId, int size)
{
    try {
        int page = 0;  // 0: the sorted stack
        if (iconId == kIconUnsortedFirst)
            page = 1;
        else if (iconId == kIconUnsortedSecond)
            page = 2;
        else if (iconId == kIconUnsortedThird)
            page = 3;
        else if (iconId != kIconSortedFirst && iconId != kIconSortedSecond)
            return IconHandle();
        const resource_art::RgbaImage image = page ? resource_art::DrawUnsortedCopiesIcon(page, size)
                                                   : resource_art::DrawSortedCopiesIcon(size);
        // The icon gets copies of both bitmaps: these are deleted here.
        const BitmapHandle colour(ToBitmap(image, false));
        const BitmapHandle mask(ToMask(image));
        if (!colour || !mask)
            return IconHandle();
        ICONINFO parts = {};
        parts.fIcon = TRUE;
        parts.hbmColor = colour.Get();
        parts.hbmMask = mask.Get();
        return IconHandle(CreateIconIndirect(&parts));
    } catch (const std::exception&) {
        return IconHandle();  // the resource's icon stays
    }
}
