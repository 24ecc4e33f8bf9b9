// Absolute Windows paths in 8-bit ANSI text brought to the one form Windows
// resolves them to, so that two spellings of one file compare equal and a
// path can be tested for lying inside a folder. Double-byte characters are
// walked as in ansi_path_split.h: a trail byte 0x5C is never a separator and
// a trail byte that looks like an ASCII letter is never case-folded.
#pragma once
#include <string>
#include <string_view>

#include "ansi_paths/ansi_path_split.h"

// Brings an absolute path to its resolved form: "X:\a\b" (drive letter upper
// case) or "\\server\share\a\b". Forward slashes become backslashes, repeated
// separators one, "." segments go, ".." removes the segment before it (never
// above the drive's root or the share), and trailing dots and blanks of a
// segment go, as Windows strips them. A "\\?\X:\" or "\\?\UNC\server\share\"
// path is taken literally, as Windows does: nothing is stripped.
// False, normal empty, for a path no file can safely be taken from:
// relative or drive-relative ("a\b", "C:a", "\a"), a device path ("\\.\",
// "//?/"), a literal path with "." or ".." segments, empty segments or
// slashes, a segment naming a device (CON, NUL, COM1.txt ...), a segment of
// dots and blanks only other than "." and "..", a server or share name
// ending in a dot or blank, a character no file name may hold (< > : " | ?
// * and control characters, the drive's colon aside), or a lead byte without
// a trail byte after it (at the end, or before a byte below 0x40 such as
// "/", which no double-byte code page takes for a trail byte).
bool NormalisePath(std::string_view path, LeadByteTest isLeadByte, std::string& normal);

// True when the two paths normalise to the same path, compared without
// regard to the case of ASCII letters.
bool SamePath(std::string_view a, std::string_view b, LeadByteTest isLeadByte);

// True when path names an entry below folder, at any depth, once both are
// normalised: "C:\Data\x" and "C:\DATA\sub\x" lie inside "C:\Data",
// "C:\Data2\x" and "C:\Data" itself do not. `rest`, when given, receives the
// normalised part of path after the folder and its separator ("sub\x").
bool PathIsInsideFolder(std::string_view path, std::string_view folder, LeadByteTest isLeadByte,
                        std::string* rest = nullptr);
