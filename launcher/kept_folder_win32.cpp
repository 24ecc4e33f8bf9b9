#include "kept_folder_win32.h"

#include <windows.h>
#include <aclapi.h>
#include <sddl.h>

#include <vector>

#include "jobport_readers/page_file_names.h"
#include "kept_files.h"
#include "win32_shared/kernel_handles_win32.h"
#include "win32_shared/local_memory_win32.h"

namespace {

// Name attempts before a file is left where it is.
const uint32_t kMostNameAttempts = 999;

// The user this process runs as: its SID (in `sid`) and its name.
bool CurrentUser(std::vector<BYTE>& sid, std::string& name)
{
    KernelHandle token;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, token.Receive()))
        return false;
    DWORD size = 0;
    GetTokenInformation(token.Get(), TokenUser, nullptr, 0, &size);
    std::vector<BYTE> user(size > 0 ? size : 1);
    if (size == 0 || !GetTokenInformation(token.Get(), TokenUser, user.data(), size, &size))
        return false;
    const PSID userSid = reinterpret_cast<TOKEN_USER*>(user.data())->User.Sid;
    sid.assign(static_cast<BYTE*>(userSid), static_cast<BYTE*>(userSid) + GetLengthSid(userSid));
    char buffer[257] = {};  // UNLEN + 1
    DWORD length = sizeof buffer;
    name = GetUserNameA(buffer, &length) ? buffer : "";
    return true;
}

// An existing folder may take kept pages when it is a folder, no reparse
// point, and owned by the user.
bool IsOwnFolder(const std::string& folder, PSID user, std::string& why)
{
    const KernelHandle handle(CreateFileA(folder.c_str(), READ_CONTROL | FILE_READ_ATTRIBUTES,
                                          FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                          nullptr, OPEN_EXISTING,
                                          FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT,
                                          nullptr));
    BY_HANDLE_FILE_INFORMATION information = {};
    if (!handle || !GetFileInformationByHandle(handle.Get(), &information)) {
        why = "the folder " + folder + " cannot be opened (error " + std::to_string(GetLastError()) + ")";
        return false;
    }
    // Asked of the handle and of the path: some systems tell a link only by its path.
    const DWORD byPath = GetFileAttributesA(folder.c_str());
    if (!(information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ||
        (information.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) ||
        byPath == INVALID_FILE_ATTRIBUTES || (byPath & FILE_ATTRIBUTE_REPARSE_POINT)) {
        why = folder + " is not a folder but a file, link or junction";
        return false;
    }
    PSID owner = nullptr;
    LocalMemory<PSECURITY_DESCRIPTOR> descriptor;
    const DWORD result = GetSecurityInfo(handle.Get(), SE_FILE_OBJECT, OWNER_SECURITY_INFORMATION,
                                         &owner, nullptr, nullptr, nullptr, descriptor.Receive());
    if (result != ERROR_SUCCESS || !owner || !EqualSid(owner, user)) {
        why = "the folder " + folder + " belongs to another user";
        return false;
    }
    return true;
}

}  // namespace

bool KeptFolder::Prepare(std::string& folder, std::string& why)
{
    std::vector<BYTE> sid;
    std::string user;
    LocalMemory<LPSTR> sidText;
    if (!CurrentUser(sid, user) || !ConvertSidToStringSidA(sid.data(), sidText.Receive())) {
        why = "the user cannot be told (error " + std::to_string(GetLastError()) + ")";
        return false;
    }
    folder = m_dataFolder + "\\" + KeptFolderName(user);
    LocalMemory<PSECURITY_DESCRIPTOR> security;
    if (!ConvertStringSecurityDescriptorToSecurityDescriptorA(
            KeptFolderSecurity(sidText.Get()).c_str(), SDDL_REVISION_1, security.Receive(),
            nullptr)) {
        why = "the kept folder's security cannot be made (error " + std::to_string(GetLastError()) + ")";
        return false;
    }
    SECURITY_ATTRIBUTES attributes = {sizeof attributes, security.Get(), FALSE};
    if (CreateDirectoryA(folder.c_str(), &attributes))
        return true;
    if (GetLastError() != ERROR_ALREADY_EXISTS) {
        why = "the folder " + folder + " cannot be made (error " + std::to_string(GetLastError()) + ")";
        return false;
    }
    return IsOwnFolder(folder, sid.data(), why);
}

bool KeptFolder::Keep(const std::string& path, uint32_t jobId, uint32_t jobPage,
                      std::string& keptAs, std::string& why)
{
    keptAs.clear();
    std::string folder;
    if (!Prepare(folder, why))
        return false;
    SYSTEMTIME now;
    GetLocalTime(&now);
    const KeptStamp stamp = {now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond};
    const size_t room = folder.size() + 1 < MAX_PATH - 1 ? MAX_PATH - 1 - folder.size() - 1 : 0;
    for (uint32_t attempt = 1; attempt <= kMostNameAttempts; ++attempt) {
        const std::string name =
            KeptFileName(stamp, jobId, jobPage, PageFileName(path), attempt, room);
        if (name.empty()) {
            why = "its kept name would be longer than a path may be";
            return false;
        }
        const std::string target = folder + "\\" + name;
        // Never MOVEFILE_REPLACE_EXISTING: an earlier kept file stays.
        if (MoveFileExA(path.c_str(), target.c_str(), 0)) {
            keptAs = target;
            return true;
        }
        const DWORD error = GetLastError();
        if (error != ERROR_ALREADY_EXISTS && error != ERROR_FILE_EXISTS) {
            why = "it cannot be moved to " + folder + " (error " + std::to_string(error) + ")";
            return false;
        }
    }
    why = "every kept name for it is taken";
    return false;
}
