#include "rendered_pages.h"

#include <windows.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>

#include "started_process.h"
#include "win32_shared/gdi_handles_win32.h"

namespace {

const int kDark = 128;
const DWORD kRenderTimeoutMs = 60000;

std::string ReadAll(const std::string& path)
{
    std::ifstream file(path.c_str(), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

// A binary PGM ("P5"), comments allowed in the header as Ghostscript writes one.
bool ParsePgm(const std::string& data, RenderedPage& page)
{
    size_t at = 0;
    auto token = [&]() {
        for (;;) {
            while (at < data.size() && isspace(static_cast<unsigned char>(data[at])))
                ++at;
            if (at < data.size() && data[at] == '#') {
                while (at < data.size() && data[at] != '\n')
                    ++at;
                continue;
            }
            break;
        }
        const size_t start = at;
        while (at < data.size() && !isspace(static_cast<unsigned char>(data[at])))
            ++at;
        return data.substr(start, at - start);
    };
    if (token() != "P5")
        return false;
    page.width = std::atoi(token().c_str());
    page.height = std::atoi(token().c_str());
    const int maximum = std::atoi(token().c_str());
    ++at;  // the single white space before the pixels
    const size_t count = static_cast<size_t>(page.width) * page.height;
    if (page.width <= 0 || page.height <= 0 || maximum != 255 || data.size() < at + count)
        return false;
    page.gray.assign(data.begin() + at, data.begin() + at + count);
    return true;
}

}  // namespace

bool RenderedPage::IsInk(double x, double y) const
{
    const int px = static_cast<int>(x * dpi);
    const int py = static_cast<int>(y * dpi);
    return px >= 0 && py >= 0 && px < width && py < height && gray[py * width + px] < kDark;
}

bool RenderedPage::InkBox(InchBox& box, const InchBox& within) const
{
    const bool whole = within.right <= within.left || within.bottom <= within.top;
    const int x0 = whole ? 0 : static_cast<int>(within.left * dpi);
    const int y0 = whole ? 0 : static_cast<int>(within.top * dpi);
    const int x1 = whole ? width : std::min(width, static_cast<int>(within.right * dpi));
    const int y1 = whole ? height : std::min(height, static_cast<int>(within.bottom * dpi));
    int left = x1, top = y1, right = -1, bottom = -1;
    for (int y = std::max(0, y0); y < y1; ++y) {
        for (int x = std::max(0, x0); x < x1; ++x) {
            if (gray[y * width + x] >= kDark)
                continue;
            left = std::min(left, x);
            right = std::max(right, x);
            top = std::min(top, y);
            bottom = std::max(bottom, y);
        }
    }
    if (right < 0)
        return false;
    box = InchBox{left / dpi, top / dpi, (right + 1) / dpi, (bottom + 1) / dpi};
    return true;
}

bool RunUnixShell(const std::string& script, const std::string& statusFile, std::string& error)
{
    const std::string status = UnixPath(statusFile);
    if (status.empty()) {
        error = "not running under Wine";
        return false;
    }
    DeleteFileA(statusFile.c_str());
    // The status is written under another name first, so it is read whole.
    std::string commandLine = "/bin/sh -c \"" + script + "; echo $? > '" + status + ".tmp'; mv '" +
                              status + ".tmp' '" + status + "'\"";
    if (!StartProcess(nullptr, commandLine)) {
        error = "cannot start /bin/sh";
        return false;
    }

    const DWORD start = GetTickCount();
    while (GetFileAttributesA(statusFile.c_str()) == INVALID_FILE_ATTRIBUTES) {
        if (GetTickCount() - start > kRenderTimeoutMs) {
            error = "the shell did not finish: " + script;
            return false;
        }
        Sleep(20);
    }
    const bool succeeded = std::atoi(ReadAll(statusFile).c_str()) == 0;
    DeleteFileA(statusFile.c_str());
    error = succeeded ? std::string() : "the shell failed: " + script;
    return succeeded;
}

bool RenderPostScript(const std::string& postScript, double dpi, std::vector<RenderedPage>& pages,
                      std::string& error)
{
    pages.clear();
    const std::string input = UnixPath(postScript);
    if (input.empty()) {
        error = "not running under Wine";
        return false;
    }
    char options[64];
    std::snprintf(options, sizeof options, "-q -dSAFER -dBATCH -dNOPAUSE -sDEVICE=pgmraw -r%d",
                  static_cast<int>(dpi));
    const std::string script = std::string("gs ") + options + " -o '" + input + "-%03d.pgm' '" +
                               input + "' > '" + input + ".log' 2>&1";
    RunUnixShell(script, postScript + ".status", error);
    if (!error.empty() && error.compare(0, 16, "the shell failed") == 0)
        error = "Ghostscript failed: " + ReadAll(postScript + ".log");
    for (int number = 1;; ++number) {
        char suffix[16];
        std::snprintf(suffix, sizeof suffix, "-%03d.pgm", number);
        const std::string data = ReadAll(postScript + suffix);
        if (data.empty())
            break;
        DeleteFileA((postScript + suffix).c_str());
        RenderedPage page;
        page.dpi = dpi;
        if (ParsePgm(data, page))
            pages.push_back(std::move(page));
        else if (error.empty())
            error = std::string("unreadable page") + suffix;
    }
    DeleteFileA((postScript + ".log").c_str());
    return error.empty();
}

InchBox PrinterPrintableArea(const char* printer)
{
    InchBox area;
    const CreatedDc owner(CreateDCA(nullptr, printer, nullptr, nullptr));
    const HDC dc = owner.Get();
    if (!dc)
        return area;
    const double dpiX = GetDeviceCaps(dc, LOGPIXELSX);
    const double dpiY = GetDeviceCaps(dc, LOGPIXELSY);
    area.left = GetDeviceCaps(dc, PHYSICALOFFSETX) / dpiX;
    area.top = GetDeviceCaps(dc, PHYSICALOFFSETY) / dpiY;
    area.right = area.left + GetDeviceCaps(dc, HORZRES) / dpiX;
    area.bottom = area.top + GetDeviceCaps(dc, VERTRES) / dpiY;
    return area;
}
