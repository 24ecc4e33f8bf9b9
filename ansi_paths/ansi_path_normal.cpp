#include "ansi_paths/ansi_path_normal.h"

#include <vector>

namespace {

// The byte widths of path's characters, in order: 2 for a lead byte and its
// trail byte, 1 otherwise (a lead byte at the very end stands alone).
std::vector<size_t> CharacterWidths(std::string_view path, LeadByteTest isLeadByte)
{
    std::vector<size_t> widths;
    size_t at = 0;
    while (at < path.size()) {
        const size_t width =
            isLeadByte(static_cast<unsigned char>(path[at])) && at + 1 < path.size() ? 2 : 1;
        widths.push_back(width);
        at += width;
    }
    return widths;
}

bool IsSeparatorByte(char c) { return c == '\\' || c == '/'; }

// No double-byte code page (932, 936, 949, 950) has a trail byte below 0x40:
// a lead byte before a separator, a dot or a colon makes no character, and
// Windows might read that byte on its own.
bool HasBrokenCharacter(std::string_view path, LeadByteTest isLeadByte)
{
    size_t at = 0;
    for (size_t width : CharacterWidths(path, isLeadByte)) {
        if (width == 2 && static_cast<unsigned char>(path[at + 1]) < 0x40)
            return true;
        at += width;
    }
    return false;
}

char AsciiUpper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

bool SameAsciiWord(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (AsciiUpper(a[i]) != AsciiUpper(b[i]))
            return false;
    return true;
}

// The segments of `text` between separators (the literal form knows only
// "\"), each checked for characters no name may hold. Empty segments are
// kept, so the caller decides what repeated separators mean.
bool SplitSegments(std::string_view text, bool literal, LeadByteTest isLeadByte,
                   std::vector<std::string_view>& segments)
{
    size_t start = 0;
    size_t at = 0;
    for (size_t width : CharacterWidths(text, isLeadByte)) {
        if (width == 1) {
            const unsigned char c = static_cast<unsigned char>(text[at]);
            if (c == '\\' || (c == '/' && !literal)) {
                segments.push_back(text.substr(start, at - start));
                start = at + 1;
            } else if (c < 0x20 || c == '/' || std::string_view("<>:\"|?*").find(static_cast<char>(c)) !=
                                                    std::string_view::npos) {
                return false;
            }
        }
        at += width;
    }
    segments.push_back(text.substr(start));
    return true;
}

// The segment without its trailing dots and blanks, which Windows strips.
std::string_view WithoutTrailingDotsAndBlanks(std::string_view segment, LeadByteTest isLeadByte)
{
    size_t keep = 0;  // one past the last character that is neither
    size_t at = 0;
    for (size_t width : CharacterWidths(segment, isLeadByte)) {
        if (width == 2 || (segment[at] != '.' && segment[at] != ' '))
            keep = at + width;
        at += width;
    }
    return segment.substr(0, keep);
}

// A name Windows opens as a device in any folder: CON, PRN, AUX, NUL,
// COM0-9, LPT0-9, CONIN$, CONOUT$, also with an extension or blanks after.
bool NamesDevice(std::string_view segment, LeadByteTest isLeadByte)
{
    size_t baseEnd = segment.size();
    size_t at = 0;
    for (size_t width : CharacterWidths(segment, isLeadByte)) {
        if (width == 1 && segment[at] == '.') {
            baseEnd = at;
            break;
        }
        at += width;
    }
    std::string_view base = segment.substr(0, baseEnd);
    while (!base.empty() && base.back() == ' ')
        base.remove_suffix(1);
    for (const char* device : {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"})
        if (SameAsciiWord(base, device))
            return true;
    return base.size() == 4 && (SameAsciiWord(base.substr(0, 3), "COM") ||
                                SameAsciiWord(base.substr(0, 3), "LPT")) &&
           base[3] >= '0' && base[3] <= '9';
}

// The root of the path ("C:" or "\\server\share") and the text after it.
struct Root {
    std::string text;
    std::string_view rest;
    bool literal = false;
};

bool IsLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

bool SplitRoot(std::string_view path, Root& root)
{
    if (path.size() >= 4 && path.substr(0, 4) == "\\\\?\\") {
        root.literal = true;
        path.remove_prefix(4);
        if (path.size() >= 4 && SameAsciiWord(path.substr(0, 4), "UNC\\")) {
            root.text = "\\\\";
            root.rest = path.substr(4);
            return true;
        }
        if (path.size() >= 3 && IsLetter(path[0]) && path[1] == ':' && path[2] == '\\') {
            root.text = std::string(1, AsciiUpper(path[0])) + ":";
            root.rest = path.substr(3);
            return true;
        }
        return false;
    }
    if (path.size() >= 2 && IsSeparatorByte(path[0]) && IsSeparatorByte(path[1])) {
        // "\\.\" and "\\?\" spelt with slashes reach the device namespace.
        if (path.size() >= 3 && (path[2] == '.' || path[2] == '?') &&
            (path.size() == 3 || IsSeparatorByte(path[3])))
            return false;
        root.text = "\\\\";
        root.rest = path.substr(2);
        return true;
    }
    if (path.size() >= 3 && IsLetter(path[0]) && path[1] == ':' && IsSeparatorByte(path[2])) {
        root.text = std::string(1, AsciiUpper(path[0])) + ":";
        root.rest = path.substr(3);
        return true;
    }
    return false;
}

// The server and share of a UNC path: the first two segments, each a plain name.
bool TakeShare(std::vector<std::string_view>& segments, LeadByteTest isLeadByte, std::string& root)
{
    if (segments.size() < 2)
        return false;
    for (size_t i = 0; i < 2; ++i) {
        const std::string_view name = segments[i];
        if (name.empty() || WithoutTrailingDotsAndBlanks(name, isLeadByte).size() != name.size())
            return false;
        root += (i == 0 ? "" : "\\") + std::string(name);
    }
    segments.erase(segments.begin(), segments.begin() + 2);
    return true;
}

// Characters of equal width and bytes, ASCII letters without case; `length`
// bytes of `a` (a whole number of its characters) are compared with `b`.
bool SamePrefix(std::string_view a, std::string_view b, size_t length, LeadByteTest isLeadByte)
{
    if (a.size() < length || b.size() < length)
        return false;
    const std::vector<size_t> widthsA = CharacterWidths(a.substr(0, length), isLeadByte);
    const std::vector<size_t> widthsB = CharacterWidths(b.substr(0, length), isLeadByte);
    if (widthsA != widthsB)
        return false;
    size_t at = 0;
    for (size_t width : widthsA) {
        const bool same = width == 1 ? AsciiUpper(a[at]) == AsciiUpper(b[at])
                                     : a.substr(at, 2) == b.substr(at, 2);
        if (!same)
            return false;
        at += width;
    }
    return true;
}

}  // namespace

bool NormalisePath(std::string_view path, LeadByteTest isLeadByte, std::string& normal)
{
    normal.clear();
    Root root;
    // A lead byte without its trail byte ends no name: appending a separator
    // would make the two one character.
    const bool loneLeadByte =
        !path.empty() && isLeadByte(static_cast<unsigned char>(path.back())) &&
        CharacterWidths(path, isLeadByte).back() == 1;
    if (path.find('\0') != std::string_view::npos || loneLeadByte ||
        HasBrokenCharacter(path, isLeadByte) || !SplitRoot(path, root))
        return false;
    std::vector<std::string_view> segments;
    if (!SplitSegments(root.rest, root.literal, isLeadByte, segments))
        return false;
    const bool unc = root.text == "\\\\";
    if (unc && !TakeShare(segments, isLeadByte, root.text))
        return false;
    // A literal path may end in one separator (a folder); nothing else is empty.
    if (root.literal && !segments.empty() && segments.back().empty())
        segments.pop_back();

    std::vector<std::string_view> kept;
    for (std::string_view segment : segments) {
        if (root.literal) {
            if (segment.empty() || segment == "." || segment == ".." || NamesDevice(segment, isLeadByte))
                return false;
            kept.push_back(segment);
            continue;
        }
        if (segment.empty() || segment == ".")
            continue;
        if (segment == "..") {
            if (!kept.empty())
                kept.pop_back();
            continue;
        }
        const std::string_view stripped = WithoutTrailingDotsAndBlanks(segment, isLeadByte);
        if (stripped.empty() || NamesDevice(stripped, isLeadByte))
            return false;
        kept.push_back(stripped);
    }

    // A literal name that the ordinary form would strip stays literal, so the
    // normal form means the same file when it is normalised again.
    bool staysLiteral = false;
    for (std::string_view segment : kept)
        staysLiteral = staysLiteral ||
                       WithoutTrailingDotsAndBlanks(segment, isLeadByte).size() != segment.size();
    std::string text = !staysLiteral ? root.text
                       : unc         ? "\\\\?\\UNC\\" + root.text.substr(2)
                                     : "\\\\?\\" + root.text;
    if (!unc && kept.empty())
        text += "\\";
    for (std::string_view segment : kept)
        (text += "\\") += segment;
    normal.swap(text);
    return true;
}

bool SamePath(std::string_view a, std::string_view b, LeadByteTest isLeadByte)
{
    std::string normalA;
    std::string normalB;
    return NormalisePath(a, isLeadByte, normalA) && NormalisePath(b, isLeadByte, normalB) &&
           normalA.size() == normalB.size() &&
           SamePrefix(normalA, normalB, normalA.size(), isLeadByte);
}

bool PathIsInsideFolder(std::string_view path, std::string_view folder, LeadByteTest isLeadByte,
                        std::string* rest)
{
    if (rest)
        rest->clear();
    std::string normalPath;
    std::string normalFolder;
    if (!NormalisePath(path, isLeadByte, normalPath) ||
        !NormalisePath(folder, isLeadByte, normalFolder))
        return false;
    // A drive's root ends in its separator already.
    if (normalFolder.back() != '\\')
        normalFolder += '\\';
    if (normalPath.size() <= normalFolder.size() ||
        !SamePrefix(normalPath, normalFolder, normalFolder.size(), isLeadByte))
        return false;
    if (rest)
        *rest = normalPath.substr(normalFolder.size());
    return true;
}
