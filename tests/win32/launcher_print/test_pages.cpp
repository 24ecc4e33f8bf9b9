#include "test_pages.h"

#include <windows.h>
#include <wincodec.h>

#include <fstream>
#include <vector>

#include "win32_shared/com_ref_win32.h"

bool AllInk(int, int) { return true; }
bool NoInk(int, int) { return false; }

bool WriteBmpPage(const std::string& path, int width, int height, int dpi, const InkPattern& ink)
{
    const DWORD stride = (static_cast<DWORD>(width) * 3 + 3) & ~3u;
    BITMAPINFOHEADER info = {};
    info.biSize = sizeof info;
    info.biWidth = width;
    info.biHeight = height;  // rows from the bottom
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biCompression = BI_RGB;
    info.biSizeImage = stride * static_cast<DWORD>(height);
    info.biXPelsPerMeter = info.biYPelsPerMeter = dpi > 0 ? static_cast<LONG>(dpi / 0.0254 + 0.5) : 0;
    BITMAPFILEHEADER header = {};
    header.bfType = 0x4D42;  // "BM"
    header.bfOffBits = sizeof header + sizeof info;
    header.bfSize = header.bfOffBits + info.biSizeImage;

    std::vector<char> pixels(info.biSizeImage, 0);
    for (int row = 0; row < height; ++row)
        for (int x = 0; x < width; ++x)
            for (int byte = 0; byte < 3; ++byte)
                pixels[(height - 1 - row) * stride + x * 3 + byte] = ink(x, row) ? 0 : '\xFF';
    std::ofstream out(path.c_str(), std::ios::binary);
    out.write(reinterpret_cast<const char*>(&header), sizeof header);
    out.write(reinterpret_cast<const char*>(&info), sizeof info);
    out.write(pixels.data(), static_cast<std::streamsize>(pixels.size()));
    return static_cast<bool>(out);
}

bool WriteMonochromeBmpPage(const std::string& path, int width, int height, const InkPattern& ink)
{
    const DWORD stride = ((static_cast<DWORD>(width) + 31) / 32) * 4;
    BITMAPINFOHEADER info = {};
    info.biSize = sizeof info;
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = 1;
    info.biCompression = BI_RGB;
    info.biSizeImage = stride * static_cast<DWORD>(height);
    info.biClrUsed = 2;
    const RGBQUAD palette[2] = {{0, 0, 0, 0}, {0xFF, 0xFF, 0xFF, 0}};  // 0 black, 1 white
    BITMAPFILEHEADER header = {};
    header.bfType = 0x4D42;
    header.bfOffBits = sizeof header + sizeof info + sizeof palette;
    header.bfSize = header.bfOffBits + info.biSizeImage;

    std::vector<unsigned char> pixels(info.biSizeImage, 0xFF);
    for (int row = 0; row < height; ++row)
        for (int x = 0; x < width; ++x)
            if (ink(x, row))
                pixels[(height - 1 - row) * stride + x / 8] &=
                    static_cast<unsigned char>(~(0x80 >> (x % 8)));
    std::ofstream out(path.c_str(), std::ios::binary);
    out.write(reinterpret_cast<const char*>(&header), sizeof header);
    out.write(reinterpret_cast<const char*>(&info), sizeof info);
    out.write(reinterpret_cast<const char*>(palette), sizeof palette);
    out.write(reinterpret_cast<const char*>(pixels.data()), static_cast<std::streamsize>(pixels.size()));
    return static_cast<bool>(out);
}

namespace {

// Pixels of one frame in the pixel format they are written in.
struct EncodedFrame {
    UINT width;
    UINT height;
    UINT stride;
    std::vector<BYTE> bits;
};

// Writes the frames with the encoder of `container`; false when the encoder
// would not keep `format` exactly.
bool WriteThroughWic(const std::string& path, const GUID& container, const GUID& format, int dpi,
                     const std::vector<EncodedFrame>& frames)
{
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    bool written = false;
    {
        ComRef<IWICImagingFactory> factory;
        ComRef<IWICStream> stream;
        ComRef<IWICBitmapEncoder> encoder;
        const std::wstring widePath(path.begin(), path.end());
        HRESULT result =
            CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                             IID_IWICImagingFactory, reinterpret_cast<void**>(factory.Out()));
        if (SUCCEEDED(result))
            result = factory->CreateStream(stream.Out());
        if (SUCCEEDED(result))
            result = stream->InitializeFromFilename(widePath.c_str(), GENERIC_WRITE);
        if (SUCCEEDED(result))
            result = factory->CreateEncoder(container, nullptr, encoder.Out());
        if (SUCCEEDED(result))
            result = encoder->Initialize(stream.Get(), WICBitmapEncoderNoCache);
        for (const EncodedFrame& pixels : frames) {
            ComRef<IWICBitmapFrameEncode> frame;
            ComRef<IPropertyBag2> options;
            WICPixelFormatGUID kept = format;
            if (SUCCEEDED(result))
                result = encoder->CreateNewFrame(frame.Out(), options.Out());
            if (SUCCEEDED(result))
                result = frame->Initialize(options.Get());
            if (SUCCEEDED(result))
                result = frame->SetSize(pixels.width, pixels.height);
            if (SUCCEEDED(result))
                result = frame->SetResolution(dpi, dpi);
            if (SUCCEEDED(result))
                result = frame->SetPixelFormat(&kept);
            if (SUCCEEDED(result) && !IsEqualGUID(kept, format))
                result = E_FAIL;
            if (SUCCEEDED(result))
                result = frame->WritePixels(pixels.height, pixels.stride,
                                            static_cast<UINT>(pixels.bits.size()),
                                            const_cast<BYTE*>(pixels.bits.data()));
            if (SUCCEEDED(result))
                result = frame->Commit();
        }
        if (SUCCEEDED(result))
            result = encoder->Commit();
        written = SUCCEEDED(result);
    }
    if (SUCCEEDED(com))
        CoUninitialize();
    return written;
}

}  // namespace

bool WritePngPage(const std::string& path, int width, int height, int dpi,
                  const ColourPattern& colour)
{
    EncodedFrame frame = {static_cast<UINT>(width), static_cast<UINT>(height),
                          static_cast<UINT>(width) * 4, {}};
    frame.bits.resize(static_cast<size_t>(frame.stride) * height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const uint32_t argb = colour(x, y);
            BYTE* pixel = &frame.bits[y * frame.stride + x * 4];
            pixel[0] = static_cast<BYTE>(argb);
            pixel[1] = static_cast<BYTE>(argb >> 8);
            pixel[2] = static_cast<BYTE>(argb >> 16);
            pixel[3] = static_cast<BYTE>(argb >> 24);
        }
    return WriteThroughWic(path, GUID_ContainerFormatPng, GUID_WICPixelFormat32bppBGRA, dpi,
                           {frame});
}

bool WriteTiffPages(const std::string& path, const std::vector<TiffPage>& pages, int dpi)
{
    std::vector<EncodedFrame> frames;
    for (const TiffPage& page : pages) {
        // One bit a pixel, the first pixel in the high bit; 0 is black.
        EncodedFrame frame = {static_cast<UINT>(page.width), static_cast<UINT>(page.height),
                              static_cast<UINT>(page.width + 7) / 8, {}};
        frame.bits.assign(static_cast<size_t>(frame.stride) * page.height, 0xFF);
        for (int y = 0; y < page.height; ++y)
            for (int x = 0; x < page.width; ++x)
                if (page.ink(x, y))
                    frame.bits[y * frame.stride + x / 8] &=
                        static_cast<BYTE>(~(0x80 >> (x % 8)));
        frames.push_back(frame);
    }
    return WriteThroughWic(path, GUID_ContainerFormatTiff, GUID_WICPixelFormatBlackWhite, dpi,
                           frames);
}

namespace {

void Put16(std::string& out, unsigned value)
{
    out += static_cast<char>(value & 0xFF);
    out += static_cast<char>((value >> 8) & 0xFF);
}

void Put32(std::string& out, unsigned long value)
{
    Put16(out, value & 0xFFFF);
    Put16(out, (value >> 16) & 0xFFFF);
}

}  // namespace

bool WriteTiff16Page(const std::string& path, Tiff16Kind kind, int width, int height, int dpi,
                     const InkPattern& ink)
{
    const unsigned samples = kind == Tiff16Kind::Gray ? 1 : 4;
    const unsigned entries = 13;
    // Header, the directory, then the values that do not fit an entry.
    const unsigned long directory = 8;
    const unsigned long bitsAt = directory + 2 + entries * 12 + 4;
    const unsigned long resolutionAt = bitsAt + 8;
    const unsigned long pixelsAt = resolutionAt + 16;
    const unsigned long pixelBytes = static_cast<unsigned long>(width) * height * samples * 2;

    std::string out = "II";
    Put16(out, 42);
    Put32(out, directory);
    Put16(out, entries);
    auto entry = [&](unsigned tag, unsigned type, unsigned long count, unsigned long value) {
        Put16(out, tag);
        Put16(out, type);
        Put32(out, count);
        Put32(out, value);
    };
    const unsigned kShort = 3, kLong = 4, kRational = 5;
    entry(256, kLong, 1, static_cast<unsigned long>(width));
    entry(257, kLong, 1, static_cast<unsigned long>(height));
    entry(258, kShort, samples, samples == 1 ? 16 : bitsAt);
    entry(259, kShort, 1, 1);                              // no compression
    entry(262, kShort, 1, kind == Tiff16Kind::Gray ? 1 : 5);  // black is zero; separated (CMYK)
    entry(273, kLong, 1, pixelsAt);
    entry(277, kShort, 1, samples);
    entry(278, kLong, 1, static_cast<unsigned long>(height));
    entry(279, kLong, 1, pixelBytes);
    entry(282, kRational, 1, resolutionAt);
    entry(283, kRational, 1, resolutionAt + 8);
    entry(284, kShort, 1, 1);  // samples interleaved
    entry(296, kShort, 1, 2);  // resolution in inches
    Put32(out, 0);             // no further directory
    for (unsigned i = 0; i < 4; ++i)
        Put16(out, 16);
    for (int axis = 0; axis < 2; ++axis) {
        Put32(out, static_cast<unsigned long>(dpi));
        Put32(out, 1);
    }
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const bool black = ink(x, y);
            if (kind == Tiff16Kind::Gray) {
                Put16(out, black ? 0 : 0xFFFF);
            } else {
                for (int channel = 0; channel < 3; ++channel)
                    Put16(out, 0);
                Put16(out, black ? 0xFFFF : 0);
            }
        }
    std::ofstream file(path.c_str(), std::ios::binary);
    file.write(out.data(), static_cast<std::streamsize>(out.size()));
    return static_cast<bool>(file);
}
