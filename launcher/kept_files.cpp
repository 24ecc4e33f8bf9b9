#include "kept_files.h"

#include <cstdio>

#include "ansi_paths/ansi_path_split.h"
#include "jobport_readers/ansi_code_page.h"

namespace {

const char kKeptFolder[] = "Not printed";
// An extension longer than this is no extension a page file has.
const size_t kLongestExtension = 10;

size_t CharacterWidth(const std::string& text, size_t at)
{
    return AnsiLeadByteTest()(static_cast<unsigned char>(text[at])) && at + 1 < text.size() ? 2 : 1;
}

// A name Windows keeps as written: no character a name may not hold (a
// trail byte is part of its character), no trailing dot or blank.
bool FitsFolderName(const std::string& name)
{
    if (name.empty() || name.back() == '.' || name.back() == ' ')
        return false;
    for (size_t at = 0; at < name.size(); at += CharacterWidth(name, at)) {
        const unsigned char c = static_cast<unsigned char>(name[at]);
        if (CharacterWidth(name, at) == 1 &&
            (c < 0x20 || std::string("\\/:*?\"<>|").find(static_cast<char>(c)) != std::string::npos))
            return false;
    }
    return true;
}

// The extension of a file name with its dot ("" when it has none); a dot is
// never a trail byte, but the name is walked by characters all the same.
std::string ExtensionOf(const std::string& name)
{
    size_t dot = std::string::npos;
    for (size_t at = 0; at < name.size(); at += CharacterWidth(name, at))
        if (name[at] == '.')
            dot = at;
    if (dot == std::string::npos || dot == 0 || name.size() - dot > kLongestExtension + 1)
        return std::string();
    return name.substr(dot);
}

}  // namespace

std::string KeptFolderName(const std::string& userName)
{
    return FitsFolderName(userName) ? std::string(kKeptFolder) + " (" + userName + ")"
                                    : std::string(kKeptFolder);
}

std::string KeptFolderSecurity(const std::string& userSid)
{
    return "D:P(A;OICI;FA;;;" + userSid + ")(A;OICI;FA;;;SY)(A;OICI;FA;;;BA)";
}

std::string KeptFileName(const KeptStamp& when, uint32_t jobId, uint32_t jobPage,
                         const std::string& originalName, uint32_t attempt, size_t room)
{
    char head[96];
    std::snprintf(head, sizeof head, "%04u-%02u-%02u %02u-%02u-%02u job %u page %u", when.year,
                  when.month, when.day, when.hour, when.minute, when.second,
                  static_cast<unsigned>(jobId), static_cast<unsigned>(jobPage));
    std::string name = head;
    if (attempt > 1)
        name += " (" + std::to_string(attempt) + ")";
    const std::string whole = name + " - " + originalName;
    if (!originalName.empty() && whole.size() <= room)
        return whole;
    const std::string shortName = name + ExtensionOf(originalName);
    return shortName.size() <= room ? shortName : std::string();
}
