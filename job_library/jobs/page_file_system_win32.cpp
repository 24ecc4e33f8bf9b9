#include "page_file_system_win32.h"

#include <windows.h>

#include "../setup/clog_file.h"

namespace {

class WindowsPageFileSystem : public PageFileSystem {
public:
    void CreateFolder(const char* path) override { CreateDirectoryA(path, nullptr); }

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
        // A read-only file could be renamed but not deleted, and a folder not
        // copied: copying leaves other files behind, so these are copied.
        const DWORD attributes = GetFileAttributesA(from);
        if (attributes == INVALID_FILE_ATTRIBUTES ||
            (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)) != 0)
            return false;
        // Without MOVEFILE_COPY_ALLOWED this fails across volumes, and
        // without MOVEFILE_REPLACE_EXISTING it never replaces a waiting page.
        return MoveFileExA(from, to, 0) != FALSE;
    }

    bool Copy(const char* from, const char* to) override
    {
        return CopyFileA(from, to, TRUE) != FALSE;
    }

    bool RemoveFile(const char* path) override { return DeleteFileA(path) != FALSE; }

    void WriteLog(int32_t number, const char* text) override { gLog.WriteLog(number, text); }
};

}  // namespace

PageFileSystem& Win32PageFileSystem()
{
    static WindowsPageFileSystem files;
    return files;
}
