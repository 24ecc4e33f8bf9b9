#include "log_text.h"

#include <cstdarg>
#include <cstdio>

std::string FormatLogText(const char* format, ...) noexcept
{
    va_list args;
    va_start(args, format);
    va_list measure;
    va_copy(measure, args);
    const int length = std::vsnprintf(nullptr, 0, format, measure);
    va_end(measure);

    std::string text;
    bool formatted = false;
    if (length >= 0) {
        try {
            text.resize(static_cast<size_t>(length) + 1);
            std::vsnprintf(&text[0], text.size(), format, args);
            text.resize(static_cast<size_t>(length));
            formatted = true;
        } catch (...) {
        }
    }
    va_end(args);
    if (formatted)
        return text;
    try {
        return std::string(format);
    } catch (...) {
        return std::string();
    }
}
