#include "placeholder_drawing_win32.h"

#include <windows.h>

#include <algorithm>
#include <cstring>

#include "launcher_log_win32.h"
#include "win32_shared/gdi_handles_win32.h"

namespace {

// The largest placeholder bitmap: a whole sheet at 150 dpi takes 6 MB.
const size_t kMaxPlaceholderBytes = 64u * 1024 * 1024;

std::wstring Wide(const std::string& text)
{
    const int length = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()),
                                           nullptr, 0);
    if (length <= 0)
        return std::wstring();
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), &wide[0], length);
    return wide;
}

int TextWidth(HDC dc, const std::wstring& text)
{
    SIZE size = {};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    return size.cx;
}

// The text broken into lines of at most `width` pixels: at blanks where it
// can, inside a word too long for a line where it must. Nothing is left out.
std::vector<std::wstring> Wrapped(HDC dc, const std::wstring& text, int width)
{
    std::vector<std::wstring> lines;
    std::wstring line;
    size_t at = 0;
    while (at < text.size()) {
        const size_t blank = text.find(L' ', at);
        const size_t end = blank == std::wstring::npos ? text.size() : blank;
        std::wstring word = text.substr(at, end - at);
        at = end == text.size() ? end : end + 1;
        const std::wstring joined = line.empty() ? word : line + L" " + word;
        if (TextWidth(dc, joined) <= width) {
            line = joined;
            continue;
        }
        if (!line.empty())
            lines.push_back(line);
        line.clear();
        // A word wider than the line: as many characters as fit, at least one.
        while (TextWidth(dc, word) > width) {
            INT fit = 0;
            SIZE size = {};
            GetTextExtentExPointW(dc, word.c_str(), static_cast<int>(word.size()), width, &fit,
                                  nullptr, &size);
            const size_t take = static_cast<size_t>((std::max)(1, static_cast<int>(fit)));
            lines.push_back(word.substr(0, take));
            word.erase(0, take);
        }
        line = word;
    }
    if (!line.empty())
        lines.push_back(line);
    return lines;
}

FontHandle MakeFont(int height, bool bold)
{
    return FontHandle(CreateFontW(-height, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE,
                                  DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                  NONANTIALIASED_QUALITY, DEFAULT_PITCH | FF_SWISS, L"Arial"));
}

// Writes the lines from `top` down; returns the height used.
int WriteLines(HDC dc, HFONT font, const std::wstring& text, const RECT& area, int top)
{
    const ObjectSelection selected(dc, font);
    TEXTMETRICW metrics = {};
    GetTextMetricsW(dc, &metrics);
    const int lineHeight = (std::max)(1, static_cast<int>(metrics.tmHeight + metrics.tmExternalLeading));
    int y = top;
    for (const std::wstring& line : Wrapped(dc, text, area.right - area.left)) {
        if (y + lineHeight > area.bottom)
            break;  // the log and the box carry every word of it
        TextOutW(dc, area.left, y, line.c_str(), static_cast<int>(line.size()));
        y += lineHeight;
    }
    return y - top;
}

}  // namespace

bool DrawPlaceholder(const std::vector<std::string>& lines, const PageImageSize& size,
                     Bitmap24& bitmap)
{
    bitmap = Bitmap24();
    if (!MakeBitmap(size.width, size.height, kMaxPlaceholderBytes, bitmap)) {
        LogLine("the placeholder of a page cannot be held in memory");
        return false;
    }
    const CreatedDc dc(CreateCompatibleDC(nullptr));
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = bitmap.width;
    info.bmiHeader.biHeight = -bitmap.height;  // rows from the top, as Bitmap24 holds them
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    const BitmapHandle dib(
        dc ? CreateDIBSection(dc.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0) : nullptr);
    if (!dc || !dib || !bits) {
        LogFailure("CreateDIBSection (placeholder)");
        return false;
    }
    const ObjectSelection selectedBitmap(dc.Get(), dib.Get());
    std::memset(bits, 0xFF, bitmap.bits.size());

    // A frame a fiftieth of the shorter side wide, a margin as wide inside it.
    const int shorter = (std::min)(bitmap.width, bitmap.height);
    const int line = (std::max)(2, shorter / 50);
    const HBRUSH black = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    const RECT edges[] = {{0, 0, bitmap.width, line},
                          {0, bitmap.height - line, bitmap.width, bitmap.height},
                          {0, 0, line, bitmap.height},
                          {bitmap.width - line, 0, bitmap.width, bitmap.height}};
    for (const RECT& edge : edges)
        FillRect(dc.Get(), &edge, black);

    const RECT area = {3 * line, 3 * line, bitmap.width - 3 * line, bitmap.height - 3 * line};
    const int titleHeight = (std::max)(6, (std::min)(bitmap.width / 20, bitmap.height / 14));
    const FontHandle title(MakeFont(titleHeight, true));
    const FontHandle body(MakeFont((std::max)(5, titleHeight * 3 / 5), false));
    SetBkMode(dc.Get(), TRANSPARENT);
    SetTextColor(dc.Get(), RGB(0, 0, 0));
    int y = area.top;
    for (size_t i = 0; i < lines.size() && area.right > area.left; ++i) {
        y += WriteLines(dc.Get(), i == 0 ? title.Get() : body.Get(), Wide(lines[i]), area, y);
        y += titleHeight / 2;
    }
    GdiFlush();
    std::memcpy(bitmap.bits.data(), bits, bitmap.bits.size());
    return true;
}
