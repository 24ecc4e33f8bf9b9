#include <windows.h>

#include <vector>

#include "app/file_version.h"
#include "app/format_text.h"
#include "app/version_text.h"

std::string GetFileVersionString(const std::string& path)
{
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeA(path.c_str(), &ignored);
    if (size == 0)
        return std::string();
    std::vector<char> block(size, '\0');
    if (!GetFileVersionInfoA(path.c_str(), 0, size, block.data()))
        return std::string();

    void* translation = nullptr;
    UINT translationSize = 0;
    if (!VerQueryValueA(block.data(), "\\VarFileInfo\\Translation", &translation,
                        &translationSize) ||
        translationSize < sizeof(DWORD))
        return std::string();
    // Only the first translation counts: language in the low word, code
    // page in the high word.
    const WORD* first = static_cast<const WORD*>(translation);
    const std::string subBlock =
        FormatText("\\StringFileInfo\\%04x%04x\\FileVersion", first[0], first[1]);

    void* text = nullptr;
    UINT textLength = 0;
    if (!VerQueryValueA(block.data(), subBlock.c_str(), &text, &textLength) || !text)
        return std::string();
    // The length counts characters, perhaps with the terminator; the text
    // ends at its terminator inside the block.
    const char* begin = static_cast<const char*>(text);
    const char* blockEnd = block.data() + block.size();
    const char* end = begin;
    while (end < blockEnd && *end != '\0')
        ++end;
    return NormaliseVersionText(std::string(begin, end));
}
