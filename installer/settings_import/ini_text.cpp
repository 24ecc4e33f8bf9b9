#include "ini_text.h"

#include <cstring>

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string Trim(const std::string& text)
{
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && IsBlank(text[begin]))
        ++begin;
    while (end > begin && IsBlank(text[end - 1]))
        --end;
    return text.substr(begin, end - begin);
}

std::string Lower(std::string text)
{
    for (char& c : text)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return text;
}

}  // namespace

bool IniText::Parse(const std::string& text, std::string* problem)
{
    m_entries.clear();
    if (text.find('\0') != std::string::npos) {
        *problem = "it holds zero bytes, so it is no text file";
        return false;
    }
    std::string section;
    std::size_t start = 0;
    for (int lineNumber = 1; start < text.size(); ++lineNumber) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        std::string line = text.substr(start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        line = Trim(line);
        if (line.empty() || line[0] == ';')
            continue;
        if (line[0] == '[') {
            const std::size_t close = line.find(']');
            if (close == std::string::npos || close == 1) {
                *problem = "line " + std::to_string(lineNumber) + " starts a section without a name";
                return false;
            }
            section = Lower(Trim(line.substr(1, close - 1)));
            continue;
        }
        const std::size_t equals = line.find('=');
        if (equals == std::string::npos || equals == 0 || section.empty()) {
            *problem = "line " + std::to_string(lineNumber) +
                       (section.empty() ? " stands before any section"
                                        : " is neither a section, a key=value pair nor a comment");
            return false;
        }
        std::string value = Trim(line.substr(equals + 1));
        if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
            value = value.substr(1, value.size() - 2);
        m_entries.push_back({section, Lower(Trim(line.substr(0, equals))), value});
    }
    return true;
}

const std::string* IniText::Find(const char* section, const char* key) const
{
    const std::string wantedSection = Lower(section);
    const std::string wantedKey = Lower(key);
    for (const Entry& entry : m_entries)
        if (entry.section == wantedSection && entry.key == wantedKey)
            return &entry.value;
    return nullptr;
}

int32_t IniText::ReadInt(const char*, const char* section, const char* key, int32_t def)
{
    const std::string* value = Find(section, key);
    int32_t number = 0;
    return value && ParseWholeDecimal(*value, &number) ? number : def;
}

size_t IniText::ReadString(const char*, const char* section, const char* key, const char* def,
                           char* buffer, size_t size)
{
    if (size == 0)
        return 0;
    const std::string* value = Find(section, key);
    const std::string text = value ? *value : std::string(def ? def : "");
    const size_t n = text.size() < size - 1 ? text.size() : size - 1;
    std::memcpy(buffer, text.data(), n);
    buffer[n] = '\0';
    return n;
}

bool ParseWholeDecimal(const std::string& text, int32_t* value)
{
    const std::string digits = Trim(text);
    std::size_t at = 0;
    const bool negative = !digits.empty() && digits[0] == '-';
    if (!digits.empty() && (digits[0] == '-' || digits[0] == '+'))
        ++at;
    if (at == digits.size())
        return false;
    int64_t number = 0;
    for (; at < digits.size(); ++at) {
        if (digits[at] < '0' || digits[at] > '9')
            return false;
        number = number * 10 + (digits[at] - '0');
        if (number > 2147483648LL)
            return false;
    }
    number = negative ? -number : number;
    if (number > 2147483647LL)
        return false;
    *value = static_cast<int32_t>(number);
    return true;
}
