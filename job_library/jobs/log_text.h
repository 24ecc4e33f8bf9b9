// printf-style formatting of debug-log texts into a string of any length.
#pragma once
#include <string>

// Never throws: when memory runs out the result is the unformatted format.
#ifdef __GNUC__
__attribute__((format(printf, 1, 2)))
#endif
std::string FormatLogText(const char* format, ...) noexcept;

#include <cstdint>

// Number of a debug-log line about job jobId, or about its page `page`.
inline int32_t JobLogNumber(uint32_t jobId, uint32_t page = 0)
{
    return static_cast<int32_t>(jobId * 1000u + page);
}
