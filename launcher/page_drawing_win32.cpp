#include "page_drawing_win32.h"

#include "launcher_log_win32.h"
#include "smooth_scaling.h"

namespace {

// The resampled image is handed over in bands of at most this many bytes.
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

}  // namespace

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
        return Stretch(dc, bitmap, placement.source, placement.target);
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
