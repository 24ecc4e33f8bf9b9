#include "page_decoder_win32.h"

#include <windows.h>

#include <cstdio>
#include <vector>

namespace {

// The largest decoded page held in memory: an A3 page at 600 dpi in colour
// takes about 200 MB; a 32-bit process has room for little more.
const size_t kMaxPageBytes = 256u * 1024 * 1024;

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

// Converts the frame to format and copies its pixels into a 24-bit bitmap.
// Decoders convert every format to 32-bit BGR, but not all of them to
// 24-bit (a black-and-white scan under Wine is one), so a 32-bit format is
// copied a row at a time and its unused fourth byte dropped.
HRESULT CopyConverted(IWICImagingFactory* factory, IWICBitmapSource* frame,
                      const WICPixelFormatGUID& format, Bitmap24& bitmap)
{
    ComRef<IWICFormatConverter> converter;
    HRESULT result = factory->CreateFormatConverter(converter.Out());
    if (SUCCEEDED(result))
        result = converter->Initialize(frame, format, WICBitmapDitherTypeNone, nullptr, 0.0,
                                       WICBitmapPaletteTypeCustom);
    if (FAILED(result))
        return result;
    if (IsEqualGUID(format, GUID_WICPixelFormat24bppBGR))
        return converter->CopyPixels(nullptr, static_cast<UINT>(bitmap.stride),
                                     static_cast<UINT>(bitmap.bits.size()), bitmap.bits.data());
    const size_t width = static_cast<size_t>(bitmap.width);
    std::vector<BYTE> row(width * 4);
    for (int32_t y = 0; y < bitmap.height; ++y) {
        const WICRect line = {0, y, bitmap.width, 1};
        result = converter->CopyPixels(&line, static_cast<UINT>(row.size()),
                                       static_cast<UINT>(row.size()), row.data());
        if (FAILED(result))
            return result;
        uint8_t* out = &bitmap.bits[static_cast<size_t>(y) * bitmap.stride];
        for (size_t x = 0; x < width; ++x) {
            out[x * 3] = row[x * 4];
            out[x * 3 + 1] = row[x * 4 + 1];
            out[x * 3 + 2] = row[x * 4 + 2];
        }
    }
    return S_OK;
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

bool PageDecoder::OpenFrame(const std::string& path, ComRef<IWICBitmapFrameDecode>& frame,
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
    ComRef<IWICBitmapDecoder> decoder;
    HRESULT result = m_factory->CreateDecoderFromFilename(Wide(path).c_str(), nullptr,
                                                          GENERIC_READ,
                                                          WICDecodeMetadataCacheOnDemand,
                                                          decoder.Out());
    if (SUCCEEDED(result))
        result = decoder->GetFrame(0, frame.Out());
    if (FAILED(result)) {
        reason = "the page file is not an image this computer can read (" +
                 HresultText(result) + ")";
        return false;
    }
    return true;
}

bool PageDecoder::Probe(const std::string& path, PageImageSize& size, std::string& reason)
{
    ComRef<IWICBitmapFrameDecode> frame;
    if (!OpenFrame(path, frame, reason))
        return false;
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

bool PageDecoder::Decode(const std::string& path, Bitmap24& bitmap, std::string& reason)
{
    ComRef<IWICBitmapFrameDecode> frame;
    if (!OpenFrame(path, frame, reason))
        return false;
    UINT width = 0;
    UINT height = 0;
    HRESULT result = frame->GetSize(&width, &height);
    if (FAILED(result) || width > 0x7FFFFFFF || height > 0x7FFFFFFF ||
        !MakeBitmap(static_cast<int32_t>(width), static_cast<int32_t>(height), kMaxPageBytes,
                    bitmap)) {
        reason = "the page image cannot be held in memory";
        return false;
    }
    result = CopyConverted(m_factory.Get(), frame.Get(), GUID_WICPixelFormat24bppBGR, bitmap);
    if (FAILED(result))
        result = CopyConverted(m_factory.Get(), frame.Get(), GUID_WICPixelFormat32bppBGR, bitmap);
    if (FAILED(result)) {
        bitmap = Bitmap24();
        reason = "the page image cannot be decoded (" + HresultText(result) + ")";
        return false;
    }
    return true;
}
