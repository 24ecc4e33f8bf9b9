#include "action_data.h"

namespace {

const char kDigits[] = "0123456789abcdef";

int HexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

bool IsNameCharacter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.';
}

std::vector<std::string> Split(const std::string& text, char separator)
{
    std::vector<std::string> parts(1);
    for (const char c : text) {
        if (c == separator)
            parts.emplace_back();
        else
            parts.back() += c;
    }
    return parts;
}

}  // namespace

void ActionData::Set(const std::string& name, const std::string& value)
{
    m_fields[name] = std::vector<uint8_t>(value.begin(), value.end());
}

void ActionData::SetBytes(const std::string& name, const std::vector<uint8_t>& bytes)
{
    m_fields[name] = bytes;
}

std::string ActionData::Get(const std::string& name) const
{
    const auto found = m_fields.find(name);
    return found == m_fields.end() ? std::string()
                                   : std::string(found->second.begin(), found->second.end());
}

std::vector<uint8_t> ActionData::GetBytes(const std::string& name) const
{
    const auto found = m_fields.find(name);
    return found == m_fields.end() ? std::vector<uint8_t>() : found->second;
}

std::string ActionData::Encode() const
{
    std::string text;
    for (const auto& field : m_fields) {
        if (!text.empty())
            text += ';';
        text += field.first + '=';
        for (const uint8_t byte : field.second) {
            text += kDigits[byte >> 4];
            text += kDigits[byte & 15];
        }
    }
    return text;
}

bool ActionData::Decode(const std::string& text)
{
    std::map<std::string, std::vector<uint8_t>> fields;
    if (!text.empty()) {
        for (const std::string& part : Split(text, ';')) {
            const std::size_t equals = part.find('=');
            if (equals == std::string::npos || equals == 0 || (part.size() - equals - 1) % 2 != 0)
                return false;
            const std::string name = part.substr(0, equals);
            for (const char c : name)
                if (!IsNameCharacter(c))
                    return false;
            std::vector<uint8_t> bytes;
            for (std::size_t at = equals + 1; at < part.size(); at += 2) {
                const int high = HexValue(part[at]);
                const int low = HexValue(part[at + 1]);
                if (high < 0 || low < 0)
                    return false;
                bytes.push_back(static_cast<uint8_t>(high * 16 + low));
            }
            if (!fields.emplace(name, bytes).second)
                return false;
        }
    }
    m_fields.swap(fields);
    return true;
}

std::vector<ListedFile> ParseFileList(const std::string& text)
{
    std::vector<ListedFile> files;
    for (const std::string& record : Split(text, '*')) {
        const std::vector<std::string> fields = Split(record, '|');
        if (fields[0].empty())
            continue;
        ListedFile file;
        file.name = fields[0];
        const std::string flags = fields.size() > 1 ? fields[1] : std::string();
        file.host = flags.find('H') != std::string::npos;
        file.keep = flags.find('K') != std::string::npos;
        file.heldBy = fields.size() > 2 ? fields[2] : std::string();
        files.push_back(file);
    }
    return files;
}
