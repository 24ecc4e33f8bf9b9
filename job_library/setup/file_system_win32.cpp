#include "file_system_win32.h"

#include <windows.h>

#include <new>
#include <utility>

#include "folder_values.h"
#include "jobport_readers/temp_folder_win32.h"
#include "win32_shared/kernel_handles_win32.h"

namespace {

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
    KernelHandle file(CreateFileA(path, GENERIC_READ, kShareAll, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    return static_cast<bool>(file);
}

bool Win32FileSystem::CreateIfMissing(const char* path)
{
    KernelHandle file(CreateFileA(path, FILE_APPEND_DATA, kShareAll, nullptr, OPEN_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    return static_cast<bool>(file);
}

void Win32FileSystem::ListEntries(const char* pattern, DirectoryEntryVisitor& visitor)
{
    WIN32_FIND_DATAA data;
    const FindHandle listing(FindFirstFileA(pattern, &data));
    if (!listing)
        return;
    do {
        data.cFileName[MAX_PATH - 1] = '\0';
        visitor.Visit(data.cFileName, (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0);
    } while (FindNextFileA(listing.Get(), &data));
}

bool Win32FileSystem::RemoveFile(const char* path)
{
    return DeleteFileA(path) != 0;
}

namespace {

class Win32HeldFile : public HeldFile {
public:
    explicit Win32HeldFile(KernelHandle file) : m_file(std::move(file)) {}

    bool Remove() override
    {
        FILE_DISPOSITION_INFO disposition = {};
        disposition.DeleteFile = TRUE;
        return SetFileInformationByHandle(m_file.Get(), FileDispositionInfo, &disposition,
                                          sizeof disposition) != FALSE;
    }

private:
    KernelHandle m_file;
};

}  // namespace

std::unique_ptr<HeldFile> Win32FileSystem::HoldAlone(const char* path)
{
    // No sharing: the open fails while anyone else has the file open, and
    // nobody can open it while it is held. A link is held, not followed.
    KernelHandle file(CreateFileA(path, DELETE | FILE_READ_ATTRIBUTES, 0, nullptr, OPEN_EXISTING,
                                  FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    if (!file)
        return nullptr;
    try {
        return std::make_unique<Win32HeldFile>(std::move(file));
    } catch (...) {
        return nullptr;  // `file` still holds the file and closes it
    }
}

bool Win32FileSystem::ReadText(const char* path, std::string& text)
{
    KernelHandle file(CreateFileA(path, GENERIC_READ, kShareAll, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return false;
    text.clear();
    char block[4096];
    try {
        for (;;) {
            DWORD read = 0;
            if (!ReadFile(file.Get(), block, sizeof block, &read, nullptr))
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
