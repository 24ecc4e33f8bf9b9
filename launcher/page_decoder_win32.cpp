#include "page_decoder_win32.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "white_backdrop.h"

namespace {

// The largest decoded page held in memory: an A3 page at 600 dpi in colour
// takes about 200 MB; a 32-bit process has room for little more.
const size_t kMaxPageBytes = 256u * 1024 * 1024;
// Converted pixels are fetched this many bytes at a time at most.
const size_t kChunkBytes = 1024u * 1024;

std::string HresultText(HRESULT result)
{
    char text[16];
    std::snprintf(text, sizeof text, "0x%08lX", static_cast<unsigned long>(result));
    return text;
}

std::wstring Wide(const std::string& text)
{
    const int length = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
    if (length <= 0)
        return std::wstring();
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, &wide[0], length);
    wide.resize(static_cast<size_t>(length) - 1);
    return wide;
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

// Converts the frame to 32-bit blue-green-red-alpha, a format every decoder
// converts to, and lays it on white a few rows at a time.
HRESULT CopyOverWhite(IWICImagingFactory* factory, IWICBitmapSource* frame, Bitmap24& bitmap)
{
    ComRef<IWICFormatConverter> converter;
    HRESULT result = Converted(factory, frame, GUID_WICPixelFormat32bppBGRA, converter);
    if (FAILED(result))
        return result;
    const size_t rowBytes = static_cast<size_t>(bitmap.width) * 4;
    // (std::min): the system headers may define min and max as macros.
    const int32_t rowsPerChunk = static_cast<int32_t>(
        (std::max)(size_t{1}, (std::min)(static_cast<size_t>(bitmap.height), kChunkBytes / rowBytes)));
    std::vector<BYTE> chunk(rowBytes * static_cast<size_t>(rowsPerChunk));
    for (int32_t y = 0; y < bitmap.height; y += rowsPerChunk) {
        const int32_t rows = (std::min)(rowsPerChunk, bitmap.height - y);
        const WICRect part = {0, y, bitmap.width, rows};
        result = converter->CopyPixels(&part, static_cast<UINT>(rowBytes),
                                       static_cast<UINT>(rowBytes * rows), chunk.data());
        if (FAILED(result))
            return result;
        for (int32_t row = 0; row < rows; ++row)
            CompositeOverWhite(&chunk[row * rowBytes], static_cast<size_t>(bitmap.width),
                               &bitmap.bits[static_cast<size_t>(y + row) * bitmap.stride]);
    }
    return S_OK;
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

bool PageDecoder::OpenFile(const std::string& path, ComRef<IWICBitmapDecoder>& decoder,
                           std::string& reason)
{
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        reason = "the page file does not exist";
        return false;
    }
    if (!m_factory) {
        reason = "the Windows Imaging Component is not available";
        return false;
    }
    const HRESULT result = m_factory->CreateDecoderFromFilename(
        Wide(path).c_str(), nullptr, GENERIC_READ, WICDecodeMetadataCacheOnDemand, decoder.Out());
    if (FAILED(result)) {
        reason = "the page file is not an image this computer can read (" +
                 HresultText(result) + ")";
        return false;
    }
    return true;
}

bool PageDecoder::Probe(const std::string& path, PageFileProbe& probe, std::string& reason)
{
    probe = PageFileProbe();
    ComRef<IWICBitmapDecoder> decoder;
    if (!OpenFile(path, decoder, reason))
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
    for (UINT i = 0; i < printed; ++i) {
        ComRef<IWICBitmapFrameDecode> frame;
        result = decoder->GetFrame(i, frame.Out());
        if (FAILED(result)) {
            reason = Which(i, printed) + "the page image cannot be read (" +
                     HresultText(result) + ")";
            return false;
        }
        if (!ProbeFrame(frame.Get(), probe.pages[i], reason)) {
            reason = Which(i, printed) + reason;
            return false;
        }
    }
    return true;
}

bool PageDecoder::Decode(const std::string& path, uint32_t page, Bitmap24& bitmap,
                         std::string& reason)
{
    bitmap = Bitmap24();
    ComRef<IWICBitmapDecoder> decoder;
    if (!OpenFile(path, decoder, reason))
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
    if (FAILED(result) || width > 0x7FFFFFFF || height > 0x7FFFFFFF ||
        !MakeBitmap(static_cast<int32_t>(width), static_cast<int32_t>(height), kMaxPageBytes,
                    bitmap)) {
        reason = "the page image cannot be held in memory";
        return false;
    }
    result = CopyOverWhite(m_factory.Get(), frame.Get(), bitmap);
    if (FAILED(result))
        result = CopyOpaque(m_factory.Get(), frame.Get(), bitmap);
    if (FAILED(result)) {
        bitmap = Bitmap24();
        reason = "the page image cannot be decoded (" + HresultText(result) + ")";
        return false;
    }
    return true;
}
