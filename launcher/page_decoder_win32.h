// Reads page files through the Windows Imaging Component: BMP, PNG, JPEG,
// TIFF, GIF and whatever else the system can decode. A multi-page file gives
// its first page. Used by one thread, which has initialised COM.
#pragma once
#include <windows.h>
#include <wincodec.h>

#include <string>

#include "bitmap24.h"
#include "com_ref_win32.h"
#include "page_layout.h"

class PageDecoder {
public:
    // False, with the reason, when the imaging component is not available.
    bool Start(std::string& reason);

    // Size and resolution of the page in `path`, without decoding its pixels.
    bool Probe(const std::string& path, PageImageSize& size, std::string& reason);

    // The page's pixels as a 24-bit bitmap.
    bool Decode(const std::string& path, Bitmap24& bitmap, std::string& reason);

private:
    bool OpenFrame(const std::string& path, ComRef<IWICBitmapFrameDecode>& frame,
                   std::string& reason);

    ComRef<IWICImagingFactory> m_factory;
};
