#include "ansi_paths/ansi_path_split.h"

const char kBackslash[] = "\\";
const char kBackslashOrSlash[] = "\\/";

namespace {

// Calls visit(start, width) for each character of path in order. A lead
// byte at the very end has no trail byte: it counts as a character of one
// byte (it is never a separator, which is ASCII).
template <typename Visit>
void ForEachCharacter(std::string_view path, LeadByteTest isLeadByte, Visit visit)
{
    size_t at = 0;
    while (at < path.size()) {
        const unsigned char byte = static_cast<unsigned char>(path[at]);
        const size_t width = isLeadByte(byte) && at + 1 < path.size() ? 2 : 1;
        visit(at, width);
        at += width;
    }
}

bool IsSeparatorCharacter(std::string_view path, size_t start, size_t width,
                          std::string_view separators)
{
    return width == 1 && separators.find(path[start]) != std::string_view::npos;
}

}  // namespace

size_t EndOfLastSeparator(std::string_view path, std::string_view separators,
                          LeadByteTest isLeadByte)
{
    size_t end = 0;
    ForEachCharacter(path, isLeadByte, [&](size_t start, size_t width) {
        if (IsSeparatorCharacter(path, start, width, separators))
            end = start + 1;
    });
    return end;
}

size_t LengthWithoutTrailingSeparators(std::string_view path, std::string_view separators,
                                       LeadByteTest isLeadByte)
{
    size_t end = 0;  // one past the last character that is no separator
    ForEachCharacter(path, isLeadByte, [&](size_t start, size_t width) {
        if (!IsSeparatorCharacter(path, start, width, separators))
            end = start + width;
    });
    return end;
}

bool EndsWithSeparator(std::string_view path, std::string_view separators,
                       LeadByteTest isLeadByte)
{
    return LengthWithoutTrailingSeparators(path, separators, isLeadByte) < path.size();
}
