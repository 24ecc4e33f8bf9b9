#include "handoff_file_name.h"

#include <cstdio>
#include <cstring>

bool HandoffFileName(const char* tempDir, uint32_t jobId, uint32_t page, char* name,
                     size_t size)
{
    if (!name || size == 0)
        return false;
    name[0] = '\0';
    // Without the folder the name would be relative to whatever folder is current.
    if (!tempDir || tempDir[0] == '\0')
        return false;
    const int length = std::snprintf(name, size, "%s%s%2d%3d%s", tempDir, "KST_",
                                     static_cast<int>(jobId), static_cast<int>(page), ".$$$");
    if (length < 0 || static_cast<size_t>(length) >= size) {
        name[0] = '\0';
        return false;
    }
    return true;
}

namespace {

// One number as "%<width>d" writes it: blanks, then at least one digit.
bool ParsePaddedNumber(const char* field, size_t width, uint32_t* value)
{
    size_t i = 0;
    while (i < width && field[i] == ' ')
        ++i;
    if (i == width)
        return false;
    uint32_t number = 0;
    for (; i < width; ++i) {
        if (field[i] < '0' || field[i] > '9')
            return false;
        number = number * 10 + static_cast<uint32_t>(field[i] - '0');
    }
    *value = number;
    return true;
}

bool SameLetters(const char* text, const char* expected, size_t length)
{
    for (size_t i = 0; i < length; ++i) {
        char c = text[i];
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
        if (c != expected[i])
            return false;
    }
    return true;
}

}  // namespace

bool ParseHandoffFileName(const char* name, uint32_t* jobId, uint32_t* page)
{
    static const char kPrefix[] = "KST_";
    static const char kSuffix[] = ".$$$";
    const size_t prefix = sizeof kPrefix - 1;
    const size_t suffix = sizeof kSuffix - 1;
    if (!name || !jobId || !page)
        return false;
    const size_t length = std::strlen(name);
    if (length < prefix + suffix || !SameLetters(name, kPrefix, prefix) ||
        !SameLetters(name + length - suffix, kSuffix, suffix))
        return false;
    // Two columns for ids below 100, three for the others; three for pages.
    const size_t numbers = length - prefix - suffix;
    if (numbers != 5 && numbers != 6)
        return false;
    const size_t idWidth = numbers - 3;
    return ParsePaddedNumber(name + prefix, idWidth, jobId) &&
           ParsePaddedNumber(name + prefix + idWidth, 3, page);
}

std::string JobIdClaimName(const char* tempDir, uint32_t jobId)
{
    // FNV-1a over the folder's bytes, ASCII letters folded to lower case.
    uint32_t hash = 2166136261u;
    for (const char* c = tempDir ? tempDir : ""; *c != '\0'; ++c) {
        const unsigned char byte = static_cast<unsigned char>(*c);
        hash ^= (byte >= 'A' && byte <= 'Z') ? byte - 'A' + 'a' : byte;
        hash *= 16777619u;
    }
    char name[64];
    std::snprintf(name, sizeof name, "Local\\KESTRO job id %08x %u", static_cast<unsigned>(hash),
                  static_cast<unsigned>(jobId));
    return name;
}
