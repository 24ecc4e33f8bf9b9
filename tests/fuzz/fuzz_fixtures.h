// What the fuzz targets share: a reader that takes values off the input, a
// profile that answers from INI text as the Windows profile functions do, an
// in-memory page file system, and code page 932's lead-byte test.
#pragma once
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "jobport_readers/profile_reader.h"
#include "jobs/page_file_system.h"

// Stops the run at once: the sanitizers and libFuzzer report an abort as a
// crash with its input, and the replay fails its test.
#define FUZZ_CHECK(condition)                                               \
    do {                                                                    \
        if (!(condition)) {                                                 \
            std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__,     \
                         __LINE__, #condition);                             \
            std::abort();                                                   \
        }                                                                   \
    } while (0)

// Takes small values off the front of the input; the rest is the text or the
// bytes under test. Past the end every value is 0.
class FuzzInput {
public:
    FuzzInput(const uint8_t* data, size_t size) : m_data(data), m_size(size) {}

    uint8_t Byte() { return m_at < m_size ? m_data[m_at++] : 0; }
    uint32_t Word()
    {
        uint32_t value = 0;
        for (int i = 0; i < 4; ++i)
            value = (value << 8) | Byte();
        return value;
    }
    // Up to maxLength bytes, ended early by a zero byte (which is consumed).
    std::string Text(size_t maxLength)
    {
        std::string text;
        while (m_at < m_size && text.size() < maxLength) {
            const char c = static_cast<char>(m_data[m_at++]);
            if (c == '\0')
                break;
            text += c;
        }
        return text;
    }
    std::string Rest()
    {
        std::string rest(reinterpret_cast<const char*>(m_data + m_at), m_size - m_at);
        m_at = m_size;
        return rest;
    }

private:
    const uint8_t* m_data;
    size_t m_size;
    size_t m_at = 0;
};

// The text a C caller would see: everything up to the first zero byte.
inline std::string AsCText(const std::string& bytes) { return std::string(bytes.c_str()); }

inline bool IsCodePage932Lead(unsigned char byte)
{
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

// An INI file's text read the way GetPrivateProfileInt/StringA read it:
// "[section]" lines, "key=value" lines, names without case, blanks around
// names and values dropped, one pair of enclosing quotes dropped, the first
// of equal keys wins. The path is not looked at: every file has this text.
class IniTextProfile : public ProfileReader {
public:
    explicit IniTextProfile(const std::string& text) { Parse(AsCText(text)); }

    int32_t ReadInt(const char*, const char* section, const char* key, int32_t def) override
    {
        const std::string* value = Find(section, key);
        if (!value || value->empty())
            return def;
        // Blanks, a sign, decimal digits; the 32 bits of the number, wrapped.
        const char* p = value->c_str();
        while (*p == ' ' || *p == '\t')
            ++p;
        const bool negative = *p == '-';
        if (*p == '-' || *p == '+')
            ++p;
        uint32_t number = 0;
        for (; *p >= '0' && *p <= '9'; ++p)
            number = number * 10u + static_cast<uint32_t>(*p - '0');
        return static_cast<int32_t>(negative ? 0u - number : number);
    }

    size_t ReadString(const char*, const char* section, const char* key, const char* def,
                      char* buffer, size_t size) override
    {
        FUZZ_CHECK(size >= 1);
        const std::string* value = Find(section, key);
        const std::string text = value ? *value : std::string(def ? def : "");
        const size_t n = text.size() < size - 1 ? text.size() : size - 1;
        std::memcpy(buffer, text.data(), n);
        buffer[n] = '\0';
        return n;
    }

private:
    static std::string Lower(std::string s)
    {
        for (char& c : s)
            if (c >= 'A' && c <= 'Z')
                c = static_cast<char>(c - 'A' + 'a');
        return s;
    }
    static std::string Trim(const std::string& s)
    {
        const size_t first = s.find_first_not_of(" \t");
        if (first == std::string::npos)
            return std::string();
        return s.substr(first, s.find_last_not_of(" \t") - first + 1);
    }

    void Parse(const std::string& text)
    {
        std::string section;
        size_t at = 0;
        while (at < text.size()) {
            size_t end = text.find_first_of("\r\n", at);
            if (end == std::string::npos)
                end = text.size();
            const std::string line = Trim(text.substr(at, end - at));
            at = end + 1;
            if (!line.empty() && line[0] == '[') {
                const size_t close = line.find(']');
                section = Lower(line.substr(1, close == std::string::npos ? std::string::npos
                                                                         : close - 1));
                continue;
            }
            const size_t equals = line.find('=');
            if (equals == std::string::npos)
                continue;
            std::string value = Trim(line.substr(equals + 1));
            if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
                value = value.substr(1, value.size() - 2);
            m_values.emplace(section + "\n" + Lower(Trim(line.substr(0, equals))), value);
        }
    }

    const std::string* Find(const char* section, const char* key) const
    {
        const auto it = m_values.find(Lower(section) + "\n" + Lower(key));
        return it == m_values.end() ? nullptr : &it->second;
    }

    std::multimap<std::string, std::string> m_values;
};

// Files and folders kept in memory, with the rules the Win32 side keeps:
// rename and copy never replace a file; a missing source fails.
class MemoryPageFiles : public PageFileSystem {
public:
    void CreateFolder(const char* path) override { folders.insert(path); }
    int32_t CheckSource(const char* path) override
    {
        if (folders.count(path) != 0)
            return 5;  // ERROR_ACCESS_DENIED
        return files.count(path) != 0 ? 0 : 2;  // ERROR_FILE_NOT_FOUND
    }
    bool Exists(const char* path) override
    {
        return files.count(path) != 0 || folders.count(path) != 0;
    }
    bool Rename(const char* from, const char* to) override
    {
        if (!canRename || files.count(from) == 0 || Exists(to))
            return Fail();
        files[to] = files[from];
        files.erase(from);
        return true;
    }
    bool Copy(const char* from, const char* to) override
    {
        if (files.count(from) == 0 || Exists(to))
            return Fail();
        files[to] = files[from];
        return true;
    }
    int32_t LastError() override { return lastError; }
    bool RemoveFile(const char* path) override { return files.erase(path) == 1; }

    std::map<std::string, std::string> files;  // path -> content
    std::set<std::string> folders;
    bool canRename = true;

private:
    bool Fail()
    {
        lastError = 80;  // ERROR_FILE_EXISTS
        return false;
    }
    int32_t lastError = 0;
};
