#include "app/format_text.h"

#include <cstdarg>
#include <cstdio>
#include <vector>

#include "app/app_exception.h"

std::string FormatText(const char* format, ...)
{
    std::vector<char> buffer(kFormatBufferSize, '\0');
    va_list arguments;
    va_start(arguments, format);
    const int written = std::vsnprintf(buffer.data(), buffer.size(), format, arguments);
    va_end(arguments);
    // vsnprintf returns the length the whole output would need: a length
    // that leaves no room for the terminator did not fit.
    if (written < 0 || static_cast<unsigned>(written) >= kFormatBufferSize)
        throw new CAppException("_vsntprintf");
    return std::string(buffer.data(), static_cast<size_t>(written));
}
