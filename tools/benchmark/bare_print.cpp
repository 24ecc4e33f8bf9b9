// bare_print.exe: the bare work of printing a scanned page, the floor the
// launcher is measured against. It prints documents of one page (or of two
// pages on one sheet) on a printer: for each document StartDoc, the pages
// decoded through the Windows Imaging Component in a form the printer's
// device context takes as it is (24-bit colour, or one bit a pixel for a
// black-and-white page), each handed over with one StretchDIBits call at
// its own size (shrunk to the printable area or to half of it when larger),
// EndDoc. No page list, no layout, no resampling, one device context for all.
//
//   bare_print PRINTER DOCUMENTS PAGE [PAGE2]
//
// Prints one line a document, "document N: T ms" (StartDoc to EndDoc
// returning), after one more document that warms up the codecs and the
// driver, and exits 0; 1 with a line saying why when printing fails.
#include <objbase.h>
#include <wincodec.h>
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "win32_shared/com_ref_win32.h"
#include "win32_shared/gdi_handles_win32.h"

namespace {

// A decoded page as a device-independent bitmap.
struct Dib {
    BITMAPINFOHEADER header = {};
    RGBQUAD palette[2] = {};
    std::vector<BYTE> bits;
    double dpiX = 300;
    double dpiY = 300;
};

bool Decode(IWICImagingFactory* factory, const std::wstring& path, Dib& dib)
{
    ComRef<IWICBitmapDecoder> decoder;
    ComRef<IWICBitmapFrameDecode> frame;
    UINT width = 0, height = 0;
    WICPixelFormatGUID format = {};
    if (FAILED(factory->CreateDecoderFromFilename(path.c_str(), nullptr, GENERIC_READ,
                                                  WICDecodeMetadataCacheOnDemand, decoder.Out())) ||
        FAILED(decoder->GetFrame(0, frame.Out())) || FAILED(frame->GetSize(&width, &height)) ||
        FAILED(frame->GetPixelFormat(&format)))
        return false;
    frame->GetResolution(&dib.dpiX, &dib.dpiY);
    const bool twoLevel = IsEqualGUID(format, GUID_WICPixelFormatBlackWhite) != 0;
    const UINT bits = twoLevel ? 1 : 24;
    const UINT stride = ((width * bits + 31) / 32) * 4;
    dib.bits.assign(static_cast<size_t>(stride) * height, 0);
    dib.header.biSize = sizeof dib.header;
    dib.header.biWidth = static_cast<LONG>(width);
    dib.header.biHeight = -static_cast<LONG>(height);
    dib.header.biPlanes = 1;
    dib.header.biBitCount = static_cast<WORD>(bits);
    dib.header.biCompression = BI_RGB;
    if (twoLevel) {
        dib.header.biClrUsed = 2;
        dib.palette[1].rgbRed = dib.palette[1].rgbGreen = dib.palette[1].rgbBlue = 255;
        return SUCCEEDED(frame->CopyPixels(nullptr, stride, static_cast<UINT>(dib.bits.size()),
                                           dib.bits.data()));
    }
    ComRef<IWICFormatConverter> converter;
    return SUCCEEDED(factory->CreateFormatConverter(converter.Out())) &&
           SUCCEEDED(converter->Initialize(frame.Get(), GUID_WICPixelFormat24bppBGR,
                                           WICBitmapDitherTypeNone, nullptr, 0.0,
                                           WICBitmapPaletteTypeCustom)) &&
           SUCCEEDED(converter->CopyPixels(nullptr, stride, static_cast<UINT>(dib.bits.size()),
                                           dib.bits.data()));
}

// The page at its own size from the top left of `area`, shrunk to fit it.
bool Draw(HDC dc, const Dib& dib, const RECT& area)
{
    const double deviceX = GetDeviceCaps(dc, LOGPIXELSX);
    const double deviceY = GetDeviceCaps(dc, LOGPIXELSY);
    const LONG width = dib.header.biWidth;
    const LONG height = -dib.header.biHeight;
    double w = width * deviceX / (dib.dpiX > 0 ? dib.dpiX : 96);
    double h = height * deviceY / (dib.dpiY > 0 ? dib.dpiY : 96);
    const double scale = (std::min)({1.0, (area.right - area.left) / w, (area.bottom - area.top) / h});
    w *= scale;
    h *= scale;
    const int lines = StretchDIBits(dc, area.left, area.top, static_cast<int>(w), static_cast<int>(h),
                                    0, 0, width, height, dib.bits.data(),
                                    reinterpret_cast<const BITMAPINFO*>(&dib.header), DIB_RGB_COLORS,
                                    SRCCOPY);
    return lines != 0 && lines != static_cast<int>(GDI_ERROR);
}

std::wstring Wide(const char* text)
{
    std::wstring wide(MAX_PATH, L'\0');
    wide.resize(static_cast<size_t>(
        (std::max)(0, MultiByteToWideChar(CP_ACP, 0, text, -1, &wide[0], MAX_PATH) - 1)));
    return wide;
}

int Fail(const std::string& why)
{
    std::printf("bare print failed: %s (error %lu)\n", why.c_str(), GetLastError());
    return 1;
}

}  // namespace

int main(int argc, char** argv)
{
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    const int documents = argc >= 4 ? std::atoi(argv[2]) : 0;
    if (argc < 4 || argc > 5 || documents < 1) {
        std::fprintf(stderr, "usage: bare_print PRINTER DOCUMENTS PAGE [PAGE2]\n");
        return 2;
    }
    if (FAILED(CoInitializeEx(nullptr, COINIT_MULTITHREADED)))
        return Fail("COM");
    int result = 0;
    {
        ComRef<IWICImagingFactory> factory;
        if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                    IID_IWICImagingFactory,
                                    reinterpret_cast<void**>(factory.Out()))))
            return Fail("the imaging component");
        const CreatedDc printerDc(CreateDCA(nullptr, argv[1], nullptr, nullptr));
        if (!printerDc)
            return Fail(std::string("CreateDC ") + argv[1]);
        const HDC dc = printerDc.Get();
        const LONG width = GetDeviceCaps(dc, HORZRES);
        const LONG height = GetDeviceCaps(dc, VERTRES);
        std::vector<RECT> places;
        if (argc == 4)
            places.push_back(RECT{0, 0, width, height});
        else
            places = {RECT{0, 0, width, height / 2}, RECT{0, height / 2, width, height}};
        // Document 0 loads the codecs and warms the driver, as the launcher's
        // first job does before anything is timed; it is not reported.
        for (int document = 0; document <= documents && result == 0; ++document) {
            const auto start = std::chrono::steady_clock::now();
            DOCINFOA info = {};
            info.cbSize = sizeof info;
            info.lpszDocName = "Bare print";
            if (StartDocA(dc, &info) <= 0 || StartPage(dc) <= 0) {
                result = Fail("StartDoc");
                break;
            }
            for (size_t page = 0; page < places.size() && result == 0; ++page) {
                Dib dib;
                if (!Decode(factory.Get(), Wide(argv[3 + page]), dib))
                    result = Fail(std::string("decoding ") + argv[3 + page]);
                else if (!Draw(dc, dib, places[page]))
                    result = Fail("StretchDIBits");
            }
            if (result != 0) {
                AbortDoc(dc);
                break;
            }
            if (EndPage(dc) <= 0 || EndDoc(dc) <= 0) {
                result = Fail("EndDoc");
                break;
            }
            const double ms = std::chrono::duration<double, std::milli>(
                                  std::chrono::steady_clock::now() - start)
                                  .count();
            if (document > 0)
                std::printf("document %d: %.1f ms\n", document, ms);
        }
    }
    CoUninitialize();
    return result;
}
