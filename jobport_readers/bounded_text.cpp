#include "bounded_text.h"

#include <cstring>

#include "ansi_code_page.h"

namespace {

void Clear(char* out, size_t size)
{
    if (size > 0)
        out[0] = '\0';
}

}  // namespace

bool CopyText(char* out, size_t size, const char* text)
{
    if (size == 0)
        return false;
    if (!text)
        text = "";
    const size_t n = strnlen(text, size);
    if (n >= size) {
        Clear(out, size);
        return false;
    }
    std::memcpy(out, text, n);
    out[n] = '\0';
    return true;
}

bool EndsWithSeparator(const char* text)
{
    // A folder ending in a double-byte character whose trail byte is 0x5C
    // does not end with a separator.
    return text && EndsWithSeparator(text, kBackslashOrSlash, AnsiLeadByteTest());
}

bool JoinPath(char* out, size_t size, const char* folder, const char* name)
{
    if (!folder)
        folder = "";
    if (!name)
        name = "";
    const size_t folderLength = std::strlen(folder);
    const size_t separator = EndsWithSeparator(folder) ? 0 : 1;
    const size_t nameLength = std::strlen(name);
    if (size == 0 || folderLength + separator + nameLength >= size) {
        Clear(out, size);
        return false;
    }
    std::memcpy(out, folder, folderLength);
    if (separator)
        out[folderLength] = '\\';
    std::memcpy(out + folderLength + separator, name, nameLength);
    out[folderLength + separator + nameLength] = '\0';
    return true;
}

bool WithTrailingSeparator(char* out, size_t size, const char* folder)
{
    if (EndsWithSeparator(folder))
        return CopyText(out, size, folder);
    return JoinPath(out, size, folder, "");
}
