// A profile (INI) file held in memory, read as the Windows profile functions
// read it: "[section]" lines, "key=value" lines and ";" comments; names
// compared without regard to case, blanks around names and values dropped,
// one pair of enclosing double quotes dropped from a value, the first of
// equal keys wins. Setup reads a settings file it is given this way, so that
// it checks exactly the bytes it installs.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "jobport_readers/profile_reader.h"

class IniText : public ProfileReader {
public:
    // False, with the reason in *problem, when text is not a profile file:
    // a zero byte, or a line that is neither a section, a key=value pair, a
    // comment nor blank.
    bool Parse(const std::string& text, std::string* problem);

    // The value of key as written (without blanks and quotes); nullptr when
    // the key is absent.
    const std::string* Find(const char* section, const char* key) const;

    // ProfileReader; the path is not looked at.
    int32_t ReadInt(const char* path, const char* section, const char* key, int32_t def) override;
    size_t ReadString(const char* path, const char* section, const char* key, const char* def,
                      char* buffer, size_t size) override;

private:
    struct Entry {
        std::string section;  // lower case
        std::string key;      // lower case
        std::string value;
    };
    std::vector<Entry> m_entries;
};

// A whole decimal number: blanks, an optional sign, digits, blanks, within
// 32 bits. False for anything else ("3a", "", "99999999999").
bool ParseWholeDecimal(const std::string& text, int32_t* value);
