#include "framework/file_win32.h"

#include <algorithm>
#include <limits>
#include <new>

#include "win32_shared/kernel_handles_win32.h"

namespace {

// Reads and writes go in pieces a DWORD count can carry. (std::min) and
// (...::max)() are parenthesised against the min/max macros of <windows.h>.
const size_t kPieceSize = 1u << 30;

[[noreturn]] void ThrowFileError(const std::string& path, DWORD code = GetLastError())
{
    throw new CFileException(FileErrorCause(code), path);
}

}  // namespace

CFileException::Cause FileErrorCause(DWORD win32ErrorCode)
{
    switch (win32ErrorCode) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_OPEN_FAILED:
        return CFileException::fileNotFound;
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
    case ERROR_FILENAME_EXCED_RANGE:
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_NET_NAME:
    case ERROR_DIRECTORY:
        return CFileException::badPath;
    case ERROR_TOO_MANY_OPEN_FILES:
    case ERROR_SHARING_BUFFER_EXCEEDED:
        return CFileException::tooManyOpenFiles;
    case ERROR_ACCESS_DENIED:
    case ERROR_INVALID_ACCESS:
    case ERROR_WRITE_PROTECT:
    case ERROR_NETWORK_ACCESS_DENIED:
        return CFileException::accessDenied;
    case ERROR_SHARING_VIOLATION:
        return CFileException::sharingViolation;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return CFileException::diskFull;
    case ERROR_HANDLE_EOF:
        return CFileException::endOfFile;
    case ERROR_LOCK_VIOLATION:
    case ERROR_DRIVE_LOCKED:
        return CFileException::lockViolation;
    default:
        return CFileException::generic;
    }
}

std::vector<uint8_t> ReadWholeFile(const std::string& path)
{
    // A file larger than memory can hold is a lack of memory, as it would
    // be for any other allocation.
    std::vector<uint8_t> bytes;
    if (!ReadFileUpTo(path, static_cast<size_t>((std::numeric_limits<std::ptrdiff_t>::max)()),
                      bytes))
        throw std::bad_alloc();
    return bytes;
}

bool ReadFileUpTo(const std::string& path, size_t limit, std::vector<uint8_t>& bytes)
{
    bytes.clear();
    const KernelHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        ThrowFileError(path);
    LARGE_INTEGER size = {};
    if (!GetFileSizeEx(file.Get(), &size))
        ThrowFileError(path);
    if (static_cast<unsigned long long>(size.QuadPart) > limit)
        return false;

    bytes.resize(static_cast<size_t>(size.QuadPart));
    size_t done = 0;
    while (done < bytes.size()) {
        const DWORD piece = static_cast<DWORD>((std::min)(bytes.size() - done, kPieceSize));
        DWORD read = 0;
        if (!ReadFile(file.Get(), bytes.data() + done, piece, &read, nullptr))
            ThrowFileError(path);
        if (read == 0)
            break;  // the file got shorter since its size was taken
        done += read;
    }
    bytes.resize(done);
    return true;
}

void WriteWholeFile(const std::string& path, const uint8_t* data, size_t size)
{
    const KernelHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        ThrowFileError(path);
    size_t done = 0;
    while (done < size) {
        const DWORD piece = static_cast<DWORD>((std::min)(size - done, kPieceSize));
        DWORD written = 0;
        if (!WriteFile(file.Get(), data + done, piece, &written, nullptr))
            ThrowFileError(path);
        // A write that takes fewer bytes than it was given has run out of room.
        if (written == 0)
            ThrowFileError(path, ERROR_DISK_FULL);
        done += written;
    }
}
