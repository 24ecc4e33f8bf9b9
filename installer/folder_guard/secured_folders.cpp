#include "secured_folders.h"

#include <cctype>
#include <cstring>

#include "shared_formats/installation_files.h"
#include "shared_formats/printer_slot_files.h"

namespace {

// Users may read and pass through; only administrators change anything.
// Inherited by what an administrator puts there.
#define READ_ONLY_FOR_USERS "D:P(A;OICI;FA;;;SY)(A;OICI;FA;;;BA)(A;OICI;0x1200a9;;;BU)"

// Files every user shares: each user may list the folder and add a file
// (0x1200ab: list, traverse, read attributes, add file), but neither add a
// sub-folder (no junction can be planted) nor delete or rename the folder.
// Every file in it, whoever created it, may be read, written, renamed and
// deleted by every user (0x13019f: read, write, delete; inherit only).
#define SHARED_FILES_FOR_USERS \
    "D:P(A;OICI;FA;;;SY)(A;OICI;FA;;;BA)(A;;0x1200ab;;;BU)(A;OIIO;0x13019f;;;BU)"

// The pattern of the system's temporary folder: users may add files and
// folders and list the folder (0x1200af); the user who creates a file or
// folder has full control of it and nobody else but administrators and SYSTEM
// can open, change or delete it. The launcher keeps the pages it could not
// print in a folder of each user's own here, "Not printed (<user name>)";
// neither the library nor the launcher ever enters another sub-folder.
#define PRIVATE_FILES_FOR_USERS \
    "D:P(A;OICI;FA;;;SY)(A;OICI;FA;;;BA)(A;OICIIO;FA;;;CO)(A;;0x1200af;;;BU)"

bool SameLetters(char a, char b)
{
    return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
}

bool StartsWith(const std::string& text, const char* prefix)
{
    const std::size_t length = std::strlen(prefix);
    if (text.size() < length)
        return false;
    for (std::size_t i = 0; i < length; ++i)
        if (!SameLetters(text[i], prefix[i]))
            return false;
    return true;
}

bool SameName(const std::string& text, const char* name)
{
    return text.size() == std::strlen(name) && StartsWith(text, name);
}

// prefix, one to nine decimal digits, ".bin": the settings program's slot files.
bool IsSlotFile(const std::string& fileName, const char* prefix)
{
    const std::size_t digitsAt = std::strlen(prefix);
    const std::size_t suffixLength = std::strlen(kSlotFileSuffix);
    if (!StartsWith(fileName, prefix) || fileName.size() <= digitsAt + suffixLength ||
        fileName.size() > digitsAt + 9 + suffixLength)
        return false;
    const std::size_t suffixAt = fileName.size() - suffixLength;
    for (std::size_t i = digitsAt; i < suffixAt; ++i)
        if (!std::isdigit(static_cast<unsigned char>(fileName[i])))
            return false;
    return SameName(fileName.substr(suffixAt), kSlotFileSuffix);
}

}  // namespace

const SecuredFolder kSecuredFolders[] = {
    {"", READ_ONLY_FOR_USERS, ProgramFiles::None},
    {"System", READ_ONLY_FOR_USERS, ProgramFiles::None},
    {"System\\Data", PRIVATE_FILES_FOR_USERS, ProgramFiles::None},
    {"Settings", SHARED_FILES_FOR_USERS, ProgramFiles::StoredSettings},
    {"Logs", SHARED_FILES_FOR_USERS, ProgramFiles::Logs},
};
const std::size_t kSecuredFolderCount = sizeof kSecuredFolders / sizeof kSecuredFolders[0];

bool IsProgramFile(ProgramFiles kind, const std::string& fileName)
{
    switch (kind) {
    case ProgramFiles::Logs:
        // The library's debug and error logs, the launcher's log and the
        // launcher's log of before, kept once when it grows too large.
        return SameName(fileName, kDebugLogFileName) || SameName(fileName, kErrorLogFileName) ||
               SameName(fileName, kLauncherLogFileName) ||
               SameName(fileName, kLauncherOldLogFileName);
    case ProgramFiles::StoredSettings:
        return SameName(fileName, kSettingFileName) || IsSlotFile(fileName, kDevModeFilePrefix) ||
               IsSlotFile(fileName, kDevNamesFilePrefix);
    case ProgramFiles::None:
        break;
    }
    return false;
}
