#include "page_drawing_win32.h"

#include "launcher_log_win32.h"
#include "smooth_scaling.h"

namespace {

// Images are handed over in bands of at most this many bytes.
const size_t kBandBytes = 4u * 1024 * 1024;

// Draws rows [from.top, from.bottom) of the 24-bit bitmap, columns
// [from.left, from.right), into target.
bool Stretch(HDC dc, const Bitmap24& bitmap, const Rect& from, const Rect& target)
{
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = bitmap.width;
    info.bmiHeader.biHeight = -from.Height();  // rows from the top
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    // The rows of the drawn part only, so the source's top is row 0 of the
    // bitmap handed over and its meaning does not depend on the row order.
    const uint8_t* rows = bitmap.bits.data() + static_cast<size_t>(from.top) * bitmap.stride;
    const int lines = StretchDIBits(dc, target.left, target.top, target.Width(), target.Height(),
                                    from.left, 0, from.Width(), from.Height(), rows, &info,
                                    DIB_RGB_COLORS, SRCCOPY);
    if (lines == 0 || lines == static_cast<int>(GDI_ERROR)) {
        LogFailure("StretchDIBits");
        return false;
    }
    return true;
}

// A device-independent bitmap header with the two colours of a one-bit bitmap.
struct OneBitInfo {
    BITMAPINFOHEADER header;
    RGBQUAD colours[2];
};

RGBQUAD Quad(uint32_t rgb)
{
    RGBQUAD quad = {};
    quad.rgbRed = static_cast<BYTE>(rgb >> 16);
    quad.rgbGreen = static_cast<BYTE>(rgb >> 8);
    quad.rgbBlue = static_cast<BYTE>(rgb);
    return quad;
}

}  // namespace

bool DrawPage(HDC dc, const Bitmap1& bitmap, const PagePlacement& placement, DocumentTimes* times)
{
    const TimeAdder timing(times ? &times->drawingMs : nullptr);
    OneBitInfo info = {};
    info.header.biSize = sizeof info.header;
    info.header.biWidth = bitmap.width;
    info.header.biHeight = -placement.source.Height();  // rows from the top
    info.header.biPlanes = 1;
    info.header.biBitCount = 1;
    info.header.biCompression = BI_RGB;
    info.header.biClrUsed = 2;
    info.colours[0] = Quad(bitmap.colours[0]);
    info.colours[1] = Quad(bitmap.colours[1]);
    const Rect& from = placement.source;
    const Rect& target = placement.target;
    const uint8_t* rows = bitmap.bits.data() + static_cast<size_t>(from.top) * bitmap.stride;
    const int lines = StretchDIBits(dc, target.left, target.top, target.Width(), target.Height(),
                                    from.left, 0, from.Width(), from.Height(), rows,
                                    reinterpret_cast<const BITMAPINFO*>(&info), DIB_RGB_COLORS,
                                    SRCCOPY);
    if (lines == 0 || lines == static_cast<int>(GDI_ERROR)) {
        LogFailure("StretchDIBits (one bit a pixel)");
        return false;
    }
    return true;
}

bool DrawPage(HDC dc, const Bitmap24& bitmap, const PagePlacement& placement, double deviceDpiX,
              double deviceDpiY, DocumentTimes* times)
{
    double* const drawing = times ? &times->drawingMs : nullptr;
    double* const resampling = times ? &times->resampleMs : nullptr;
    const ResampledSize size =
        SmoothScaledSize(placement.source, placement.target, deviceDpiX, deviceDpiY);
    bool asItIs = !size.Enlarges();
    if (!asItIs) {
        const TimeAdder looking(resampling);
        asItIs = IsTwoLevel(bitmap);
    }
    if (asItIs) {
        const TimeAdder timing(drawing);
        for (const DrawnBand& band :
             DrawnBands(placement.source, placement.target, bitmap.stride, kBandBytes))
            if (!Stretch(dc, bitmap, band.from, band.target))
                return false;
        return true;
    }

    Bitmap24 band;
    for (const ResampledBand& part : ResampledBands(placement.target, size, kBandBytes)) {
        bool resampled = false;
        {
            const TimeAdder timing(resampling);
            resampled = ResampleBand(bitmap, placement.source, size, part, kBandBytes, band);
        }
        if (!resampled) {
            LogLine("a band of the enlarged page cannot be held in memory");
            return false;
        }
        Rect whole;
        whole.right = band.width;
        whole.bottom = band.height;
        const TimeAdder timing(drawing);
        if (!Stretch(dc, band, whole, part.target))
            return false;
    }
    return true;
}
