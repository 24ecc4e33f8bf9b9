#include "shared_formats/plain_decimal.h"

#include <cctype>
#include <climits>

int32_t PlainDecimal(const std::string& text)
{
    size_t at = 0;
    while (at < text.size() && (text[at] == ' ' || text[at] == '\t'))
        ++at;
    bool negative = false;
    if (at < text.size() && (text[at] == '-' || text[at] == '+'))
        negative = text[at++] == '-';
    long long value = 0;
    for (; at < text.size() && std::isdigit(static_cast<unsigned char>(text[at])); ++at) {
        value = value * 10 + (text[at] - '0');
        if (value > INT_MAX)
            return 0;  // no slot is that large: an unreadable number
    }
    return static_cast<int32_t>(negative ? -value : value);
}
