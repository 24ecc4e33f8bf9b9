// printf-style formatting into a string, bounded by the 65,536-byte scratch
// buffer every text of the settings program fits in.
#pragma once
#include <string>

#ifdef __GNUC__
#define TESSARY_PRINTF_FORMAT(f, a) __attribute__((format(printf, f, a)))
#else
#define TESSARY_PRINTF_FORMAT(f, a)
#endif

// Size of the scratch buffer; output needs one byte less (the terminator).
constexpr unsigned kFormatBufferSize = 65536;

// Formats like printf. Output that does not fit the buffer with its
// terminator (65,536 bytes or more) is never cut: it throws CAppException
// with the text "_vsntprintf", as does an encoding error.
std::string FormatText(const char* format, ...) TESSARY_PRINTF_FORMAT(1, 2);
