#include "file_system_win32.h"

#include <windows.h>

#include <new>

#include "folder_values.h"
#include "jobs/scoped_handle_win32.h"
#include "jobs/temp_folder_win32.h"

namespace {

// A listing from FindFirstFileA, ended with FindClose.
class FindHandle {
public:
    FindHandle(const char* pattern, WIN32_FIND_DATAA* data)
        : m_handle(FindFirstFileA(pattern, data))
    {
    }
    ~FindHandle()
    {
        if (m_handle != INVALID_HANDLE_VALUE)
            FindClose(m_handle);
    }
    FindHandle(const FindHandle&) = delete;
    FindHandle& operator=(const FindHandle&) = delete;
    bool IsOpen() const { return m_handle != INVALID_HANDLE_VALUE; }
    bool Next(WIN32_FIND_DATAA* data) { return FindNextFileA(m_handle, data) != 0; }

private:
    HANDLE m_handle;
};

const DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

}  // namespace

bool Win32FileSystem::CurrentDir(char* buffer, size_t size)
{
    if (size == 0)
        return false;
    const DWORD room = size > MAXDWORD ? MAXDWORD : static_cast<DWORD>(size);
    const DWORD length = GetCurrentDirectoryA(room, buffer);
    // A result of room or more is the size the directory would need.
    if (length == 0 || length >= room) {
        buffer[0] = '\0';
        return false;
    }
    return true;
}

bool Win32FileSystem::ChangeDir(const char* path)
{
    return SetCurrentDirectoryA(path) != 0;
}

bool Win32FileSystem::CanOpenForReading(const char* path)
{
    ScopedHandle file(CreateFileA(path, GENERIC_READ, kShareAll, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    return static_cast<bool>(file);
}

bool Win32FileSystem::CreateIfMissing(const char* path)
{
    ScopedHandle file(CreateFileA(path, FILE_APPEND_DATA, kShareAll, nullptr, OPEN_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    return static_cast<bool>(file);
}

void Win32FileSystem::ListEntries(const char* pattern, DirectoryEntryVisitor& visitor)
{
    WIN32_FIND_DATAA data;
    FindHandle listing(pattern, &data);
    if (!listing.IsOpen())
        return;
    do {
        data.cFileName[MAX_PATH - 1] = '\0';
        visitor.Visit(data.cFileName, (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0);
    } while (listing.Next(&data));
}

bool Win32FileSystem::RemoveFile(const char* path)
{
    return DeleteFileA(path) != 0;
}

bool Win32FileSystem::ReadText(const char* path, std::string& text)
{
    ScopedHandle file(CreateFileA(path, GENERIC_READ, kShareAll, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return false;
    text.clear();
    char block[4096];
    try {
        for (;;) {
            DWORD read = 0;
            if (!ReadFile(file.get(), block, sizeof block, &read, nullptr))
                return false;
            if (read == 0)
                return true;
            text.append(block, read);
        }
    } catch (const std::bad_alloc&) {
        return false;
    }
}

bool Win32FileSystem::TempFolder(char* buffer, size_t size)
{
    return ReadTempFolder(buffer, size);
}

bool Win32FileSystem::IsAbsolutePath(const char* path)
{
    return IsAbsoluteWindowsPath(path);
}
