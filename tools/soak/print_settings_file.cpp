#include "print_settings_file.h"

#include <windows.h>

#include "installation.h"
#include "shared_formats/print_settings_file.h"

namespace {

bool Write(const std::string& file, const PrintSettingKey& key, int value)
{
    return WritePrivateProfileStringA(key.section, key.key, std::to_string(value).c_str(),
                                      file.c_str()) != FALSE;
}

// True when text holds the line "key=value" (as the profile functions write it).
bool HoldsValue(const std::string& text, const char* key, int value)
{
    const std::string line = std::string("\n") + key + "=" + std::to_string(value);
    for (size_t at = text.find(line); at != std::string::npos; at = text.find(line, at + 1)) {
        const size_t end = at + line.size();
        if (end == text.size() || text[end] == '\r' || text[end] == '\n')
            return true;
    }
    return false;
}

}  // namespace

bool PrintSettingsFile::WriteWhole(const PrintChoice& choice)
{
    // Through the profile functions, which the library reads through too:
    // the process's profile cache then never holds an older file.
    // Every key at its library default but the three the soak chooses.
    bool written = Write(m_path, kPrintAfterReceivedAllData, choice.printAfterReceivedAllData);
    for (size_t i = 0; written && i < kPrintSettingFieldCount; ++i) {
        const PrintSettingKey& key = *kPrintSettingFields[i].key;
        const int value = &key == &kSortSetting        ? choice.sortSetting
                          : &key == &kNupPrintSetting ? choice.nupPrintSetting
                                                      : key.libraryDefault;
        written = Write(m_path, key, value);
    }
    return written;
}

bool PrintSettingsFile::Choose(const PrintChoice& choice)
{
    const std::string text = "\n" + ReadShared(m_path);
    const struct {
        const PrintSettingKey& key;
        int value;
    } values[] = {
        {kPrintAfterReceivedAllData, choice.printAfterReceivedAllData},
        {kSortSetting, choice.sortSetting},
        {kNupPrintSetting, choice.nupPrintSetting},
    };
    bool written = true;
    for (const auto& v : values)
        if (!HoldsValue(text, v.key.key, v.value))
            written = Write(m_path, v.key, v.value) && written;
    return written;
}

PrintSettingsFile::State PrintSettingsFile::Current() const
{
    if (GetFileAttributesA(m_path.c_str()) == INVALID_FILE_ATTRIBUTES)
        return State::Missing;
    const std::string content = ReadShared(m_path);
    if (content.find('[') == std::string::npos)
        return State::Garbage;
    const std::string outOfRange = std::string(kNupPrintSetting.key) + "=9";
    return content.find(outOfRange) == std::string::npos ? State::Sound : State::OutOfRange;
}

bool PrintSettingsFile::Remove()
{
    return DeleteFileA(m_path.c_str()) != FALSE;
}

bool PrintSettingsFile::FillWithGarbage(RandomSource& random)
{
    // Bytes of every value but '[', so that no section can appear by chance
    // and every value reads as its default.
    std::string content(random.Between(1, 600), '\0');
    for (char& c : content) {
        c = static_cast<char>(random.Below(256));
        if (c == '[')
            c = ']';
    }
    return WriteRaw(content);
}

bool PrintSettingsFile::PutValueOutOfRange()
{
    return WriteRaw("[Velora Config]\r\nPrintAfterReceivedAllData=0\r\n[Print Setting]\r\n"
                    "SortSetting=0\r\nNupPrintSetting=9\r\n");
}

bool PrintSettingsFile::WriteRaw(const std::string& content)
{
    return ::WriteWhole(m_path, content);
}
