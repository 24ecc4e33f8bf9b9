// Reads page files through the Windows Imaging Component: BMP, PNG, JPEG,
// TIFF, GIF and whatever else the system can decode. Every frame of a TIFF is
// a page, in file order (scanners and fax software write a document as one
// file); the frames of other formats are an animation's moments or an icon's
// sizes of one picture, of which the first is printed. Transparent parts are
// laid on white. A frame whose pixels the component will not convert is
// taken in its own format and converted by the launcher (raw_pixels.h). A
// frame of one bit a pixel stays so.
// Files are read through a handle the caller opened (PageFileGate), so what
// is decoded is the file that was checked. Used by one thread, which has
// initialised COM.
#pragma once
#include <windows.h>
#include <wincodec.h>

#include <cstdint>
#include <string>
#include <vector>

#include "bitmap1.h"
#include "bitmap24.h"
#include "page_layout.h"
#include "win32_shared/com_ref_win32.h"

// A decoded page: kept at one bit a pixel when its file stores it so (a
// black-and-white scan, or two palette colours), else as 24-bit colour.
struct DecodedPage {
    Bitmap24 colour;
    Bitmap1 oneBit;

    bool IsOneBit() const { return oneBit.width > 0; }
};

// The pages of one page file.
struct PageFileProbe {
    std::vector<PageImageSize> pages;  // size and resolution of each, in order
    std::vector<std::string> failures; // per page: why it cannot be printed; empty: it can
    uint32_t framesNotPrinted = 0;     // further frames of a file that is not a TIFF
};

class PageDecoder {
public:
    // False, with the reason, when the imaging component is not available.
    bool Start(std::string& reason);

    // Size and resolution of every page in the file, without decoding
    // pixels. False, with the reason in words, when the file cannot be read
    // at all; a page of it that cannot be read has its reason in `failures`.
    bool Probe(HANDLE file, PageFileProbe& probe, std::string& reason);

    // The pixels of page `page` (from 0) of the file.
    bool Decode(HANDLE file, uint32_t page, DecodedPage& decoded, std::string& reason);

    // Lets go of the decoder kept from a probe (see m_kept).
    void ForgetKept() { m_kept.Reset(); }

private:
    bool OpenFile(HANDLE file, ComRef<IWICBitmapDecoder>& decoder, std::string& reason);

    // Which file a handle is open on (volume, file index, size, time written).
    struct FileIdentity {
        BY_HANDLE_FILE_INFORMATION info = {};
        bool known = false;
        bool operator==(const FileIdentity& other) const;
    };
    static FileIdentity IdentityOf(HANDLE file);

    ComRef<IWICImagingFactory> m_factory;
    // The decoder of the first file probed since ForgetKept, kept for the
    // first decoding of that file: some imaging components (Wine's JPEG
    // decoder) decode the whole picture as soon as they open it. Used only
    // for the very file it was made for, never for another that got the
    // same handle value.
    ComRef<IWICBitmapDecoder> m_kept;
    FileIdentity m_keptFile;
};
