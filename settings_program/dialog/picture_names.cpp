#include "dialog/picture_names.h"

#include <cctype>

// '%' and '&' are single-byte characters in every ANSI code page the
// program runs under (the trail bytes of code page 932 start at 0x40), so
// the texts are walked byte by byte.

std::string FillPlaceholders(const std::string& format, const std::vector<std::string>& values)
{
    std::string out;
    for (size_t i = 0; i < format.size(); ++i) {
        const char next = i + 1 < format.size() ? format[i + 1] : '\0';
        if (format[i] == '%' && next == '%') {
            out += '%';
            ++i;
        } else if (format[i] == '%' && next >= '1' && next <= '9') {
            const size_t index = static_cast<size_t>(next - '1');
            if (index < values.size())
                out += values[index];
            ++i;
        } else {
            out += format[i];
        }
    }
    return out;
}

std::string WithoutAccessKey(const std::string& text)
{
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '&' && i + 1 < text.size())
            ++i;  // the marker goes; "&&" leaves one "&"
        else if (text[i] == '&')
            continue;
        out += text[i];
    }
    return out;
}

char AccessKeyOf(const std::string& text)
{
    char key = '\0';
    for (size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != '&')
            continue;
        if (text[i + 1] != '&')
            key = static_cast<char>(std::tolower(static_cast<unsigned char>(text[i + 1])));
        ++i;
    }
    return key;
}
