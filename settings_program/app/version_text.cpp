#include "app/version_text.h"

std::string NormaliseVersionText(const std::string& text)
{
    std::string result;
    result.reserve(text.size());
    for (char c : text) {
        if (c == ' ')
            continue;
        result.push_back(c == ',' ? '.' : c);
    }
    return result;
}
