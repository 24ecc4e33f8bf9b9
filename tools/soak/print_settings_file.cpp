#include "print_settings_file.h"

#include <windows.h>

#include "installation.h"

namespace {

bool Write(const std::string& file, const char* section, const char* key, int value)
{
    return WritePrivateProfileStringA(section, key, std::to_string(value).c_str(), file.c_str()) != FALSE;
}

}  // namespace

bool PrintSettingsFile::WriteWhole(const PrintChoice& choice)
{
    // Through the profile functions, which the library reads through too:
    // the process's profile cache then never holds an older file.
    const char* const print = "Print Setting";
    const bool written = Write(m_path, "Velora Config", "PrintAfterReceivedAllData",
                               choice.printAfterReceivedAllData) &&
                         Write(m_path, print, "PrintPosSetting", 4) &&
                         Write(m_path, print, "SortSetting", choice.sortSetting) &&
                         Write(m_path, print, "PrintSizeSetting", 1) &&
                         Write(m_path, print, "NupPrintSetting", choice.nupPrintSetting) &&
                         Write(m_path, print, "PageFramePrintSetting", 0) &&
                         Write(m_path, print, "AutoRotatePrintSetting", 1) &&
                         Write(m_path, print, "AutoPaperChange", 0);
    if (written) {
        m_state = State::Sound;
        m_written = choice;
    }
    return written;
}

bool PrintSettingsFile::Choose(const PrintChoice& choice)
{
    if (m_state != State::Sound)
        return WriteWhole(choice);
    bool written = true;
    if (choice.printAfterReceivedAllData != m_written.printAfterReceivedAllData)
        written = written && Write(m_path, "Velora Config", "PrintAfterReceivedAllData",
                                   choice.printAfterReceivedAllData);
    if (choice.sortSetting != m_written.sortSetting)
        written = written && Write(m_path, "Print Setting", "SortSetting", choice.sortSetting);
    if (choice.nupPrintSetting != m_written.nupPrintSetting)
        written = written && Write(m_path, "Print Setting", "NupPrintSetting", choice.nupPrintSetting);
    if (written)
        m_written = choice;
    else
        m_state = State::Garbage;  // unknown: written whole next time
    return written;
}

bool PrintSettingsFile::Remove()
{
    m_state = State::Missing;
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
    m_state = State::Garbage;
    return WriteRaw(content);
}

bool PrintSettingsFile::PutValueOutOfRange()
{
    m_state = State::OutOfRange;
    return WriteRaw("[Velora Config]\r\nPrintAfterReceivedAllData=0\r\n[Print Setting]\r\n"
                    "SortSetting=0\r\nNupPrintSetting=9\r\n");
}

bool PrintSettingsFile::WriteRaw(const std::string& content)
{
    return ::WriteWhole(m_path, content);
}
