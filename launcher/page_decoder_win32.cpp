#include "page_decoder_win32.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "launcher_log_win32.h"
#include "raw_pixels.h"
#include "white_backdrop.h"

namespace {

// The largest decoded page held in memory: an A3 page at 600 dpi in colour
// takes about 200 MB; a 32-bit process has room for little more.
const size_t kMaxPageBytes = 256u * 1024 * 1024;
// Pixels are fetched this many bytes at a time at most.
const size_t kChunkBytes = 1024u * 1024;
// TIFF compression schemes that store JPEG data (old and new style).
const USHORT kTiffOldJpeg = 6;
const USHORT kTiffJpeg = 7;

std::string HresultText(HRESULT result)
{
    char text[16];
    std::snprintf(text, sizeof text, "0x%08lX", static_cast<unsigned long>(result));
    return text;
}

// Why a file could not be opened as a picture, in words.
std::string OpenFailureText(HRESULT result)
{
    switch (static_cast<unsigned long>(result)) {
    case 0x88982F50UL:  // no decoder knows the file
        return "the file is not an image this computer can read (no BMP, PNG, JPEG, TIFF or GIF "
               "picture) (" + HresultText(result) + ")";
    case 0x88982F80UL:  // the decoder does not read its kind of pixels
        return "the picture stores its pixels in a way this computer's imaging component does "
               "not read (" + HresultText(result) + ")";
    case 0x88982F60UL:  // a damaged image
    case 0x88982F61UL:  // a damaged header
        return "the picture file is damaged (" + HresultText(result) + ")";
    default:
        return "the picture file is damaged or a variant of its format this computer's imaging "
               "component does not read (" + HresultText(result) + ")";
    }
}

// The TIFF compression scheme of a frame; 0 when it is no TIFF or does not say.
USHORT TiffCompression(IWICBitmapFrameDecode* frame)
{
    ComRef<IWICMetadataQueryReader> reader;
    if (FAILED(frame->GetMetadataQueryReader(reader.Out())))
        return 0;
    PROPVARIANT value;
    PropVariantInit(&value);
    USHORT scheme = 0;
    if (SUCCEEDED(reader->GetMetadataByName(L"/ifd/{ushort=259}", &value)) && value.vt == VT_UI2)
        scheme = value.uiVal;
    PropVariantClear(&value);
    return scheme;
}

// Why a frame's pixels could not be decoded, in words.
std::string DecodeFailureText(IWICBitmapFrameDecode* frame, HRESULT result)
{
    const USHORT scheme = TiffCompression(frame);
    if (scheme == kTiffJpeg || scheme == kTiffOldJpeg)
        return "the page is a JPEG-compressed TIFF, which this computer's imaging component "
               "cannot decode (" + HresultText(result) + ")";
    return "the page image cannot be decoded: the file is damaged or stores its pixels in a way "
           "this computer cannot convert (" + HresultText(result) + ")";
}

// "page 2 of the file: " for the pages of a multi-page file.
std::string Which(uint32_t page, uint32_t pages)
{
    return pages > 1 ? "page " + std::to_string(page + 1) + " of the file: " : std::string();
}

bool ProbeFrame(IWICBitmapFrameDecode* frame, PageImageSize& size, std::string& reason)
{
    UINT width = 0;
    UINT height = 0;
    HRESULT result = frame->GetSize(&width, &height);
    double dpiX = 0;
    double dpiY = 0;
    if (SUCCEEDED(result) && FAILED(frame->GetResolution(&dpiX, &dpiY)))
        dpiX = dpiY = 0;  // stated nowhere: the default resolution applies
    if (FAILED(result) || width == 0 || height == 0 || width > 0x7FFFFFFF ||
        height > 0x7FFFFFFF) {
        reason = "the page image has no size (" + HresultText(result) + ")";
        return false;
    }
    const size_t stride = RowStride(static_cast<int32_t>(width));
    if (stride == 0 || static_cast<unsigned long long>(stride) * height > kMaxPageBytes) {
        reason = "the page image is too large to print (" + std::to_string(width) + " x " +
                 std::to_string(height) + " pixels)";
        return false;
    }
    size.width = static_cast<int32_t>(width);
    size.height = static_cast<int32_t>(height);
    size.dpiX = dpiX;
    size.dpiY = dpiY;
    return true;
}

// A converter of the frame to `format`.
HRESULT Converted(IWICImagingFactory* factory, IWICBitmapSource* frame, REFWICPixelFormatGUID format,
                  ComRef<IWICFormatConverter>& converter)
{
    HRESULT result = factory->CreateFormatConverter(converter.Out());
    if (SUCCEEDED(result))
        result = converter->Initialize(frame, format, WICBitmapDitherTypeNone, nullptr, 0.0,
                                       WICBitmapPaletteTypeCustom);
    return result;
}

// Rows of `source` fetched a chunk at a time with `rowBytes` bytes a row;
// each row is handed to `take` with its number.
template <typename Take>
HRESULT ForEachRow(IWICBitmapSource* source, int32_t width, int32_t height, size_t rowBytes,
                   Take take)
{
    // (std::min): the system headers may define min and max as macros.
    const int32_t rowsPerChunk = static_cast<int32_t>(
        (std::max)(size_t{1}, (std::min)(static_cast<size_t>(height), kChunkBytes / rowBytes)));
    std::vector<BYTE> chunk(rowBytes * static_cast<size_t>(rowsPerChunk));
    for (int32_t y = 0; y < height; y += rowsPerChunk) {
        const int32_t rows = (std::min)(rowsPerChunk, height - y);
        const WICRect part = {0, y, width, rows};
        const HRESULT result = source->CopyPixels(&part, static_cast<UINT>(rowBytes),
                                                  static_cast<UINT>(rowBytes * rows), chunk.data());
        if (FAILED(result))
            return result;
        for (int32_t row = 0; row < rows; ++row)
            take(y + row, &chunk[row * rowBytes]);
    }
    return S_OK;
}

// Converts the frame to 32-bit blue-green-red-alpha, a format nearly every
// decoder converts to, and lays it on white a few rows at a time.
HRESULT CopyOverWhite(IWICImagingFactory* factory, IWICBitmapSource* frame, Bitmap24& bitmap)
{
    ComRef<IWICFormatConverter> converter;
    HRESULT result = Converted(factory, frame, GUID_WICPixelFormat32bppBGRA, converter);
    if (FAILED(result))
        return result;
    return ForEachRow(converter.Get(), bitmap.width, bitmap.height,
                      static_cast<size_t>(bitmap.width) * 4, [&](int32_t y, const BYTE* row) {
                          CompositeOverWhite(row, static_cast<size_t>(bitmap.width),
                                             &bitmap.bits[static_cast<size_t>(y) * bitmap.stride]);
                      });
}

// The same for a decoder that does not offer an alpha channel: 24-bit pixels
// copied as they are.
HRESULT CopyOpaque(IWICImagingFactory* factory, IWICBitmapSource* frame, Bitmap24& bitmap)
{
    ComRef<IWICFormatConverter> converter;
    HRESULT result = Converted(factory, frame, GUID_WICPixelFormat24bppBGR, converter);
    if (SUCCEEDED(result))
        result = converter->CopyPixels(nullptr, static_cast<UINT>(bitmap.stride),
                                       static_cast<UINT>(bitmap.bits.size()), bitmap.bits.data());
    return result;
}

bool RawFormatOf(const WICPixelFormatGUID& format, RawPixelFormat& raw)
{
    const struct {
        const GUID* guid;
        RawPixelFormat raw;
    } known[] = {
        {&GUID_WICPixelFormat2bppGray, RawPixelFormat::Gray2},
        {&GUID_WICPixelFormat4bppGray, RawPixelFormat::Gray4},
        {&GUID_WICPixelFormat16bppGray, RawPixelFormat::Gray16},
        {&GUID_WICPixelFormat2bppIndexed, RawPixelFormat::Indexed2},
        {&GUID_WICPixelFormat4bppIndexed, RawPixelFormat::Indexed4},
        {&GUID_WICPixelFormat48bppRGB, RawPixelFormat::Rgb48},
        {&GUID_WICPixelFormat48bppBGR, RawPixelFormat::Bgr48},
        {&GUID_WICPixelFormat64bppRGBA, RawPixelFormat::Rgba64},
        {&GUID_WICPixelFormat32bppCMYK, RawPixelFormat::Cmyk32},
        {&GUID_WICPixelFormat64bppCMYK, RawPixelFormat::Cmyk64},
    };
    for (const auto& entry : known) {
        if (IsEqualGUID(format, *entry.guid)) {
            raw = entry.raw;
            return true;
        }
    }
    return false;
}

// The colours of an indexed frame's palette as 0xAARRGGBB.
HRESULT PaletteOf(IWICImagingFactory* factory, IWICBitmapFrameDecode* frame,
                  std::vector<uint32_t>& colours)
{
    ComRef<IWICPalette> palette;
    HRESULT result = factory->CreatePalette(palette.Out());
    if (SUCCEEDED(result))
        result = frame->CopyPalette(palette.Get());
    UINT count = 0;
    if (SUCCEEDED(result))
        result = palette->GetColorCount(&count);
    if (FAILED(result))
        return result;
    colours.assign(count, 0);
    UINT got = 0;
    if (count > 0)
        result = palette->GetColors(count, colours.data(), &got);
    colours.resize(SUCCEEDED(result) ? got : 0);
    return result;
}

// Whether the frame's pixels have no alpha channel, so that they need not be
// laid on white: the formats scanners and cameras write.
bool IsOpaque(const WICPixelFormatGUID& format)
{
    for (const GUID* opaque : {&GUID_WICPixelFormat24bppBGR, &GUID_WICPixelFormat24bppRGB,
                               &GUID_WICPixelFormat32bppBGR, &GUID_WICPixelFormat8bppGray})
        if (IsEqualGUID(format, *opaque))
            return true;
    return false;
}

// 0xAARRGGBB laid on white paper, as 0xRRGGBB.
uint32_t OverWhite(uint32_t colour)
{
    const uint32_t alpha = colour >> 24;
    uint32_t laid = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        const uint32_t channel = (colour >> shift) & 0xFF;
        laid |= ((channel * alpha + 255 * (255 - alpha) + 127) / 255) << shift;
    }
    return laid;
}

// A frame of one bit a pixel copied as it is, with the two colours its
// bits stand for; S_FALSE when the frame is not of one bit a pixel.
HRESULT CopyOneBit(IWICImagingFactory* factory, IWICBitmapFrameDecode* frame, int32_t width,
                   int32_t height, Bitmap1& bitmap)
{
    WICPixelFormatGUID format = {};
    HRESULT result = frame->GetPixelFormat(&format);
    if (FAILED(result))
        return result;
    uint32_t colours[2] = {0x000000, 0xFFFFFF};
    if (IsEqualGUID(format, GUID_WICPixelFormat1bppIndexed)) {
        std::vector<uint32_t> palette;
        if (FAILED(PaletteOf(factory, frame, palette)) || palette.empty())
            return S_FALSE;  // the colour path reports what is wrong
        colours[0] = OverWhite(palette[0]);
        colours[1] = palette.size() > 1 ? OverWhite(palette[1]) : 0xFFFFFF;
    } else if (!IsEqualGUID(format, GUID_WICPixelFormatBlackWhite)) {
        return S_FALSE;
    }
    if (!MakeBitmap1(width, height, kMaxPageBytes, bitmap))
        return E_OUTOFMEMORY;
    bitmap.colours[0] = colours[0];
    bitmap.colours[1] = colours[1];
    result = frame->CopyPixels(nullptr, static_cast<UINT>(bitmap.stride),
                               static_cast<UINT>(bitmap.bits.size()), bitmap.bits.data());
    if (FAILED(result))
        bitmap = Bitmap1();
    return result;
}

// The frame in its own pixel format, converted by the launcher: for the
// formats the component decodes but does not convert.
HRESULT CopyRaw(IWICImagingFactory* factory, IWICBitmapFrameDecode* frame, Bitmap24& bitmap)
{
    WICPixelFormatGUID format = {};
    RawPixelFormat raw = RawPixelFormat::Gray16;
    HRESULT result = frame->GetPixelFormat(&format);
    if (FAILED(result))
        return result;
    if (!RawFormatOf(format, raw))
        return WINCODEC_ERR_UNSUPPORTEDPIXELFORMAT;
    std::vector<uint32_t> palette;
    if (raw == RawPixelFormat::Indexed2 || raw == RawPixelFormat::Indexed4) {
        result = PaletteOf(factory, frame, palette);
        if (FAILED(result))
            return result;
    }
    const size_t rowBytes = RawRowBytes(raw, bitmap.width);
    if (rowBytes == 0)
        return E_OUTOFMEMORY;
    return ForEachRow(frame, bitmap.width, bitmap.height, rowBytes, [&](int32_t y, const BYTE* row) {
        ConvertRawRow(raw, row, static_cast<size_t>(bitmap.width), palette,
                      &bitmap.bits[static_cast<size_t>(y) * bitmap.stride]);
    });
}

}  // namespace

bool PageDecoder::Start(std::string& reason)
{
    const HRESULT result =
        CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                         IID_IWICImagingFactory, reinterpret_cast<void**>(m_factory.Out()));
    if (FAILED(result)) {
        reason = "the Windows Imaging Component is not available (" + HresultText(result) + ")";
        return false;
    }
    return true;
}

bool PageDecoder::OpenFile(HANDLE file, ComRef<IWICBitmapDecoder>& decoder, std::string& reason)
{
    if (!m_factory) {
        reason = "the Windows Imaging Component is not available";
        return false;
    }
    // Each decoder reads the file from its start.
    if (SetFilePointer(file, 0, nullptr, FILE_BEGIN) == INVALID_SET_FILE_POINTER &&
        GetLastError() != NO_ERROR) {
        reason = "the page file cannot be read (error " + std::to_string(GetLastError()) + ")";
        return false;
    }
    const HRESULT result = m_factory->CreateDecoderFromFileHandle(
        reinterpret_cast<ULONG_PTR>(file), nullptr, WICDecodeMetadataCacheOnDemand, decoder.Out());
    if (FAILED(result)) {
        reason = OpenFailureText(result);
        return false;
    }
    return true;
}

PageDecoder::FileIdentity PageDecoder::IdentityOf(HANDLE file)
{
    FileIdentity identity;
    identity.known = GetFileInformationByHandle(file, &identity.info) != FALSE;
    return identity;
}

bool PageDecoder::FileIdentity::operator==(const FileIdentity& other) const
{
    const BY_HANDLE_FILE_INFORMATION& a = info;
    const BY_HANDLE_FILE_INFORMATION& b = other.info;
    return known && other.known && a.dwVolumeSerialNumber == b.dwVolumeSerialNumber &&
           a.nFileIndexHigh == b.nFileIndexHigh && a.nFileIndexLow == b.nFileIndexLow &&
           a.nFileSizeHigh == b.nFileSizeHigh && a.nFileSizeLow == b.nFileSizeLow &&
           a.ftLastWriteTime.dwLowDateTime == b.ftLastWriteTime.dwLowDateTime &&
           a.ftLastWriteTime.dwHighDateTime == b.ftLastWriteTime.dwHighDateTime;
}

bool PageDecoder::Probe(HANDLE file, PageFileProbe& probe, std::string& reason)
{
    probe = PageFileProbe();
    ComRef<IWICBitmapDecoder> decoder;
    if (!OpenFile(file, decoder, reason))
        return false;
    UINT frames = 0;
    HRESULT result = decoder->GetFrameCount(&frames);
    if (FAILED(result) || frames == 0) {
        reason = "the page file holds no image (" + HresultText(result) + ")";
        return false;
    }
    GUID container = {};
    const bool pages = SUCCEEDED(decoder->GetContainerFormat(&container)) &&
                       IsEqualGUID(container, GUID_ContainerFormatTiff);
    const UINT printed = pages ? frames : 1;
    probe.framesNotPrinted = frames - printed;
    probe.pages.resize(printed);
    probe.failures.resize(printed);
    for (UINT i = 0; i < printed; ++i) {
        ComRef<IWICBitmapFrameDecode> frame;
        result = decoder->GetFrame(i, frame.Out());
        if (FAILED(result))
            probe.failures[i] = Which(i, printed) + "the page image cannot be read (" +
                                HresultText(result) + ")";
        else if (!ProbeFrame(frame.Get(), probe.pages[i], probe.failures[i]))
            probe.failures[i] = Which(i, printed) + probe.failures[i];
    }
    if (!m_kept) {
        const FileIdentity identity = IdentityOf(file);
        if (identity.known) {
            m_kept.Swap(decoder);
            m_keptFile = identity;
        }
    }
    return true;
}

bool PageDecoder::Decode(HANDLE file, uint32_t page, DecodedPage& decoded, std::string& reason)
{
    decoded = DecodedPage();
    ComRef<IWICBitmapDecoder> decoder;
    if (m_kept && IdentityOf(file) == m_keptFile)
        decoder.Swap(m_kept);
    m_kept.Reset();  // a decoder made for another file only takes memory now
    if (!decoder && !OpenFile(file, decoder, reason))
        return false;
    ComRef<IWICBitmapFrameDecode> frame;
    HRESULT result = decoder->GetFrame(page, frame.Out());
    if (FAILED(result)) {
        reason = "page " + std::to_string(page + 1) + " of the file cannot be read (" +
                 HresultText(result) + ")";
        return false;
    }
    UINT width = 0;
    UINT height = 0;
    result = frame->GetSize(&width, &height);
    if (FAILED(result) || width > 0x7FFFFFFF || height > 0x7FFFFFFF) {
        reason = "the page image cannot be held in memory";
        return false;
    }
    result = CopyOneBit(m_factory.Get(), frame.Get(), static_cast<int32_t>(width),
                        static_cast<int32_t>(height), decoded.oneBit);
    if (result == S_OK)
        return true;
    if (result != S_FALSE) {
        reason = result == E_OUTOFMEMORY ? "the page image cannot be held in memory"
                                         : DecodeFailureText(frame.Get(), result);
        return false;
    }

    Bitmap24& bitmap = decoded.colour;
    if (!MakeBitmap(static_cast<int32_t>(width), static_cast<int32_t>(height), kMaxPageBytes,
                    bitmap)) {
        reason = "the page image cannot be held in memory";
        return false;
    }
    // Pixels without alpha go over as they are; the others are laid on white.
    WICPixelFormatGUID format = {};
    const bool opaque = SUCCEEDED(frame->GetPixelFormat(&format)) && IsOpaque(format);
    result = opaque ? CopyOpaque(m_factory.Get(), frame.Get(), bitmap)
                    : CopyOverWhite(m_factory.Get(), frame.Get(), bitmap);
    if (FAILED(result))
        result = opaque ? CopyOverWhite(m_factory.Get(), frame.Get(), bitmap)
                        : CopyOpaque(m_factory.Get(), frame.Get(), bitmap);
    if (FAILED(result)) {
        const HRESULT raw = CopyRaw(m_factory.Get(), frame.Get(), bitmap);
        if (SUCCEEDED(raw)) {
            LogLine("page " + std::to_string(page + 1) + " of the file converted from its own pixel "
                    "format (the imaging component refused: " + HresultText(result) + ")");
            return true;
        }
        if (raw != WINCODEC_ERR_UNSUPPORTEDPIXELFORMAT)
            result = raw;
    }
    if (FAILED(result)) {
        reason = DecodeFailureText(frame.Get(), result);
        decoded = DecodedPage();
        return false;
    }
    return true;
}
