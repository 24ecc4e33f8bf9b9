#include "page_file_names.h"

#include <cstdio>

#include "ansi_code_page.h"
#include "shared_formats/installation_files.h"

namespace {

char AsciiUpper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

}  // namespace

std::string PageFileName(const std::string& path)
{
    return path.substr(EndOfLastSeparator(path, kBackslashOrSlash, AnsiLeadByteTest()));
}

std::string NumberedFileName(const std::string& fileName, unsigned attempt)
{
    if (attempt <= 1)
        return fileName;
    const size_t dot = fileName.rfind('.');
    const size_t stemEnd = (dot == std::string::npos || dot == 0) ? fileName.size() : dot;
    char number[16];
    std::snprintf(number, sizeof number, "(%u)", attempt);
    return fileName.substr(0, stemEnd) + number + fileName.substr(stemEnd);
}

std::string DataFolderPath(const char* dataDir)
{
    // A drive's root ("C:\") keeps its separator; no other folder has one.
    std::string folder = dataDir ? dataDir : "";
    if (!EndsWithSeparator(folder, kBackslashOrSlash, AnsiLeadByteTest()))
        folder += '\\';
    return folder + kDataFolderName;
}

bool IsDeviceName(const std::string& fileName)
{
    std::string base = fileName.substr(0, fileName.find('.'));
    base.erase(base.find_last_not_of(' ') + 1);
    for (char& c : base)
        c = AsciiUpper(c);
    static const char* const kDevices[] = {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"};
    for (const char* device : kDevices) {
        if (base == device)
            return true;
    }
    return base.size() == 4 && (base.compare(0, 3, "COM") == 0 || base.compare(0, 3, "LPT") == 0) &&
           base[3] >= '1' && base[3] <= '9';
}
