#include "page_file_system_win32.h"

#include <windows.h>

#include <utility>

#include <aclapi.h>

#include "win32_shared/kernel_handles_win32.h"

namespace {

// A renamed file keeps the permissions it had in the host's folder. In the
// data folder it takes the folder's inherited ones instead, which keep each
// user's pages to that user; a file the owner cannot change keeps its own.
void TakeFolderPermissions(const char* path)
{
    ACL empty;
    if (!InitializeAcl(&empty, sizeof empty, ACL_REVISION))
        return;
    SetNamedSecurityInfoA(const_cast<char*>(path), SE_FILE_OBJECT,
                          DACL_SECURITY_INFORMATION | UNPROTECTED_DACL_SECURITY_INFORMATION,
                          nullptr, nullptr, &empty, nullptr);
}

class WindowsPageFileSystem : public PageFileSystem {
public:
    void CreateFolder(const char* path) override { CreateDirectoryA(path, nullptr); }

    int32_t CheckSource(const char* path) override
    {
        const DWORD attributes = GetFileAttributesA(path);
        if (attributes == INVALID_FILE_ATTRIBUTES)
            return static_cast<int32_t>(GetLastError());
        // What opening a folder as a file gives.
        if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
            return ERROR_ACCESS_DENIED;
        KernelHandle file(CreateFileA(path, GENERIC_READ,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file)
            return static_cast<int32_t>(GetLastError());
        return GetFileType(file.Get()) == FILE_TYPE_DISK ? 0 : ERROR_INVALID_NAME;
    }

    bool Exists(const char* path) override
    {
        if (GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES)
            return true;
        // A file the system will not describe may still be there.
        const DWORD error = GetLastError();
        return error == ERROR_ACCESS_DENIED || error == ERROR_SHARING_VIOLATION;
    }

    bool Rename(const char* from, const char* to) override
    {
        // A folder cannot be copied; it is left to CheckSource's refusal.
        const DWORD attributes = GetFileAttributesA(from);
        if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
            return false;
        // Open from before the rename until the page's lock is taken, so that
        // another host process's JP_init never finds it free in between.
        KernelHandle guard(OpenSharingAll(from));
        // Without MOVEFILE_COPY_ALLOWED this fails across volumes, and
        // without MOVEFILE_REPLACE_EXISTING it never replaces a waiting page.
        if (!Succeeded(MoveFileExA(from, to, 0)))
            return false;
        m_movedGuard = std::move(guard);
        TakeFolderPermissions(to);
        // A read-only page moves like any other; in the data folder it must
        // be the launcher's and JP_init's to delete.
        if ((attributes & FILE_ATTRIBUTE_READONLY) != 0)
            SetFileAttributesA(to, attributes & ~FILE_ATTRIBUTE_READONLY);
        return true;
    }

    bool Copy(const char* from, const char* to) override
    {
        if (!Succeeded(CopyFileA(from, to, TRUE)))
            return false;
        KernelHandle guard(OpenSharingAll(to));
        m_movedGuard = std::move(guard);
        const DWORD attributes = GetFileAttributesA(to);
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0)
            SetFileAttributesA(to, attributes & ~FILE_ATTRIBUTE_READONLY);
        return true;
    }

    int32_t LastError() override { return m_lastError; }

    bool RemoveFile(const char* path) override
    {
        if (DeleteFileA(path))
            return true;
        const DWORD attributes = GetFileAttributesA(path);
        if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_READONLY) == 0)
            return Succeeded(FALSE);
        // The host's read-only page was copied; it leaves the host's folder
        // like a renamed one. Should it still stay, it stays as it was.
        SetFileAttributesA(path, attributes & ~FILE_ATTRIBUTE_READONLY);
        if (DeleteFileA(path))
            return true;
        const DWORD error = GetLastError();
        SetFileAttributesA(path, attributes);
        m_lastError = static_cast<int32_t>(error);
        return false;
    }

private:
    bool Succeeded(BOOL result)
    {
        if (!result)
            m_lastError = static_cast<int32_t>(GetLastError());
        return result != FALSE;
    }

    // Read access keeps an open for another process alone from succeeding;
    // the sharing lets the rename and the page's lock go ahead.
    static KernelHandle OpenSharingAll(const char* path)
    {
        return KernelHandle(CreateFileA(path, GENERIC_READ,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                        nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    }

public:
    void ReleaseMovedGuard() { m_movedGuard.Reset(); }

private:
    int32_t m_lastError = 0;
    KernelHandle m_movedGuard;
};


WindowsPageFileSystem& TheWindowsPageFileSystem()
{
    static WindowsPageFileSystem files;
    return files;
}

}  // namespace

PageFileSystem& Win32PageFileSystem() { return TheWindowsPageFileSystem(); }

void ReleaseMovedPageGuard() { TheWindowsPageFileSystem().ReleaseMovedGuard(); }
