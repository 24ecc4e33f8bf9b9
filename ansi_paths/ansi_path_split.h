// Path separators in 8-bit ANSI text. In a double-byte code page (932, 936,
// 949, 950) the trail byte of a character may equal "\" (0x5C), as in the
// character 0x95 0x5C of code page 932. A byte is a separator only when it is
// a character of its own, so a path is walked from its start, stepping over
// the trail byte after each lead byte; it cannot be searched from its end.
#pragma once
#include <cstddef>
#include <string_view>

// True when byte starts a double-byte character in the code page in use.
using LeadByteTest = bool (*)(unsigned char byte);

// The separator sets the callers use; each separator is an ASCII character.
extern const char kBackslash[];              // "\"
extern const char kBackslashOrSlash[];       // "\" and "/"

// One past the last character of path that is one of separators (the length
// of the folder part with its separator); 0 when there is none.
size_t EndOfLastSeparator(std::string_view path, std::string_view separators,
                          LeadByteTest isLeadByte);

// The length of path without the separators at its end: "C:\Scans\\" gives
// the length of "C:\Scans"; a trail byte 0x5C at the end stays.
size_t LengthWithoutTrailingSeparators(std::string_view path, std::string_view separators,
                                       LeadByteTest isLeadByte);

// True when the last character of path is one of separators.
bool EndsWithSeparator(std::string_view path, std::string_view separators,
                       LeadByteTest isLeadByte);
