// Reads page files through the Windows Imaging Component: BMP, PNG, JPEG,
// TIFF, GIF and whatever else the system can decode. Every frame of a TIFF is
// a page, in file order (scanners and fax software write a document as one
// file); the frames of other formats are an animation's moments or an icon's
// sizes of one picture, of which the first is printed. Transparent parts are
// laid on white. Used by one thread, which has initialised COM.
#pragma once
#include <windows.h>
#include <wincodec.h>

#include <cstdint>
#include <string>
#include <vector>

#include "bitmap24.h"
#include "com_ref_win32.h"
#include "page_layout.h"

// The pages of one page file.
struct PageFileProbe {
    std::vector<PageImageSize> pages;  // size and resolution of each, in order
    uint32_t framesNotPrinted = 0;     // further frames of a file that is not a TIFF
};

class PageDecoder {
public:
    // False, with the reason, when the imaging component is not available.
    bool Start(std::string& reason);

    // Size and resolution of every page in `path`, without decoding pixels.
    // False, with the reason, when any of them cannot be printed.
    bool Probe(const std::string& path, PageFileProbe& probe, std::string& reason);

    // The pixels of page `page` (from 0) of `path` as a 24-bit bitmap.
    bool Decode(const std::string& path, uint32_t page, Bitmap24& bitmap, std::string& reason);

private:
    bool OpenFile(const std::string& path, ComRef<IWICBitmapDecoder>& decoder,
                  std::string& reason);

    ComRef<IWICImagingFactory> m_factory;
};
