#include "folder_access_win32.h"

#include <aclapi.h>
#include <sddl.h>

#include <utility>

#include "win32_shared/local_memory_win32.h"

namespace {

const DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

std::string SidText(PSID sid)
{
    LocalMemory<LPSTR> text;
    if (!sid || !ConvertSidToStringSidA(sid, text.Receive()))
        return std::string();
    return text.Get();
}

std::string AccountName(PSID sid)
{
    char name[256];
    char domain[256];
    DWORD nameLength = sizeof name;
    DWORD domainLength = sizeof domain;
    SID_NAME_USE use;
    const std::string sidText = SidText(sid);
    if (!LookupAccountSidA(nullptr, sid, name, &nameLength, domain, &domainLength, &use))
        return sidText;
    return (domainLength ? std::string(domain) + "\\" : std::string()) + name + " (" + sidText + ")";
}

bool IsLink(DWORD attributes) { return (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0; }

bool IsMissing(DWORD error) { return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND; }

// Deletes the file open as itself in file unless it is a link or a folder;
// a read-only file (any user may mark a shared file so) loses that first.
bool DeleteOpenFile(HANDLE file)
{
    FILE_BASIC_INFO basic;
    if (!GetFileInformationByHandleEx(file, FileBasicInfo, &basic, sizeof basic) ||
        IsLink(basic.FileAttributes) || (basic.FileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return false;
    if (basic.FileAttributes & FILE_ATTRIBUTE_READONLY) {
        basic.FileAttributes &= ~FILE_ATTRIBUTE_READONLY;
        if (basic.FileAttributes == 0)
            basic.FileAttributes = FILE_ATTRIBUTE_NORMAL;
        if (!SetFileInformationByHandle(file, FileBasicInfo, &basic, sizeof basic))
            return false;
    }
    FILE_DISPOSITION_INFO disposition = {TRUE};
    return SetFileInformationByHandle(file, FileDispositionInfo, &disposition, sizeof disposition) !=
           FALSE;
}

}  // namespace

std::string ProcessUserSid()
{
    KernelHandle token;
    if (!OpenThreadToken(GetCurrentThread(), TOKEN_QUERY, TRUE, token.Receive()) &&
        !OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, token.Receive()))
        return std::string();
    DWORD size = 0;
    GetTokenInformation(token.Get(), TokenUser, nullptr, 0, &size);
    std::vector<BYTE> buffer(size);
    if (size == 0 || !GetTokenInformation(token.Get(), TokenUser, buffer.data(), size, &size))
        return std::string();
    return SidText(reinterpret_cast<TOKEN_USER*>(buffer.data())->User.Sid);
}

FolderLook LookAtFolder(const std::wstring& path, DWORD access, KernelHandle* keep)
{
    FolderLook look;
    // The path's own attributes name a link even where opening it as itself
    // is not possible (Wine shows a symbolic link only here).
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        const DWORD error = GetLastError();
        if (!IsMissing(error))
            look.error = error;
        return look;
    }
    look.found.exists = true;
    look.found.isLink = IsLink(attributes);
    look.found.isFolder = (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    if (look.found.isLink || !look.found.isFolder)
        return look;

    KernelHandle folder(CreateFileW(path.c_str(), READ_CONTROL | access, kShareAll, nullptr,
                                    OPEN_EXISTING,
                                    FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT,
                                    nullptr));
    if (!folder) {
        // Not even its owner can be read: a folder that keeps the
        // administrators out is no folder of theirs.
        look.ownerName = "an account Setup may not read (error " + std::to_string(GetLastError()) + ")";
        return look;
    }
    BY_HANDLE_FILE_INFORMATION information;
    if (!GetFileInformationByHandle(folder.Get(), &information)) {
        look.error = GetLastError();
        return look;
    }
    look.found.isLink = IsLink(information.dwFileAttributes);
    look.found.isFolder = (information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;

    PSID owner = nullptr;
    LocalMemory<PSECURITY_DESCRIPTOR> descriptor;
    const DWORD error = GetSecurityInfo(folder.Get(), SE_FILE_OBJECT, OWNER_SECURITY_INFORMATION,
                                        &owner, nullptr, nullptr, nullptr, descriptor.Receive());
    if (error == ERROR_SUCCESS) {
        look.found.ownerSid = SidText(owner);
        look.ownerName = AccountName(owner);
    } else {
        look.ownerName = "an account Setup may not read (error " + std::to_string(error) + ")";
    }
    if (keep)
        *keep = std::move(folder);
    return look;
}

DWORD CreateFolder(const std::wstring& path, PSECURITY_DESCRIPTOR sd)
{
    SECURITY_ATTRIBUTES attributes = {sizeof attributes, sd, FALSE};
    if (CreateDirectoryW(path.c_str(), sd ? &attributes : nullptr))
        return 0;
    return GetLastError();
}

DWORD SetFolderDacl(HANDLE folder, PSECURITY_DESCRIPTOR sd)
{
    // SetSecurityInfo would also rewrite everything below the folder,
    // following whatever links a user may have left there: the kernel call
    // changes this one object. The DACL is protected twice over: by the
    // descriptor's "P" and by the flag.
    const SECURITY_INFORMATION what = DACL_SECURITY_INFORMATION | PROTECTED_DACL_SECURITY_INFORMATION;
    return SetKernelObjectSecurity(folder, what, sd) ? 0 : GetLastError();
}

Deletions DeleteProgramFiles(const std::wstring& folder, ProgramFiles kind)
{
    Deletions result;
    WIN32_FIND_DATAW entry;
    const FindHandle listing(FindFirstFileW((folder + L"\\*").c_str(), &entry));
    if (!listing)
        return result;
    do {
        const std::wstring name = entry.cFileName;
        const std::string ascii = ToAnsi(name);
        if ((entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || FromAscii(ascii) != name ||
            !IsProgramFile(kind, ascii))
            continue;
        const std::wstring path = folder + L"\\" + name;
        const DWORD attributes = GetFileAttributesW(path.c_str());
        if (IsLink(entry.dwFileAttributes) || attributes == INVALID_FILE_ATTRIBUTES ||
            IsLink(attributes)) {
            result.skipped.push_back(name);
            continue;
        }
        const KernelHandle file(CreateFileW(path.c_str(),
                                            DELETE | FILE_READ_ATTRIBUTES | FILE_WRITE_ATTRIBUTES,
                                            kShareAll, nullptr, OPEN_EXISTING,
                                            FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
        if (file && DeleteOpenFile(file.Get()))
            result.deleted.push_back(name);
        else
            result.skipped.push_back(name);
    } while (FindNextFileW(listing.Get(), &entry));
    return result;
}

std::string ToAnsi(const std::wstring& text)
{
    if (text.empty())
        return std::string();
    const int size = WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()),
                                         nullptr, 0, nullptr, nullptr);
    std::string result(size > 0 ? size : 0, '\0');
    if (size > 0)
        WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), &result[0], size,
                            nullptr, nullptr);
    return result;
}

std::wstring FromAscii(const std::string& text)
{
    std::wstring result;
    for (const char c : text)
        result += static_cast<unsigned char>(c) < 0x80 ? static_cast<wchar_t>(c) : L'?';
    return result;
}

std::string AdministratorSid()
{
    BYTE administrators[SECURITY_MAX_SID_SIZE];
    DWORD size = sizeof administrators;
    BOOL member = FALSE;
    if (!CreateWellKnownSid(WinBuiltinAdministratorsSid, nullptr, administrators, &size) ||
        !CheckTokenMembership(nullptr, administrators, &member) || !member)
        return std::string();
    return ProcessUserSid();
}
