#include "handoff_file_system_win32.h"

#include <windows.h>

#include <new>

#include "setup/error_reporter.h"

namespace {

class WindowsHandoffFile : public HandoffFile {
public:
    explicit WindowsHandoffFile(HANDLE handle) : m_handle(handle) {}
    ~WindowsHandoffFile() override { Close(); }
    WindowsHandoffFile(const WindowsHandoffFile&) = delete;
    WindowsHandoffFile& operator=(const WindowsHandoffFile&) = delete;

    bool Write(const char* bytes, size_t size) override
    {
        while (size > 0) {
            const DWORD chunk = size > 0x40000000u ? 0x40000000u : static_cast<DWORD>(size);
            DWORD written = 0;
            if (m_handle == INVALID_HANDLE_VALUE ||
                !WriteFile(m_handle, bytes, chunk, &written, nullptr) || written == 0)
                return false;
            bytes += written;
            size -= written;
        }
        return true;
    }

    bool Close() override
    {
        if (m_handle == INVALID_HANDLE_VALUE)
            return true;
        // A successful close keeps the error of a failed write for the report.
        const DWORD lastError = GetLastError();
        const BOOL closed = CloseHandle(m_handle);
        m_handle = INVALID_HANDLE_VALUE;
        if (closed)
            SetLastError(lastError);
        return closed != FALSE;
    }

private:
    HANDLE m_handle;
};

class WindowsHandoffFileSystem : public HandoffFileSystem {
public:
    std::unique_ptr<HandoffFile> OpenForWriting(const char* path, bool append) override
    {
        // The sharing a runtime stream opens with: others may read and write.
        const HANDLE handle =
            CreateFileA(path, append ? FILE_APPEND_DATA : GENERIC_WRITE,
                        FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                        append ? OPEN_ALWAYS : CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (handle == INVALID_HANDLE_VALUE)
            return nullptr;
        WindowsHandoffFile* file = new (std::nothrow) WindowsHandoffFile(handle);
        if (!file) {
            CloseHandle(handle);
            SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        }
        return std::unique_ptr<HandoffFile>(file);
    }

    bool WriteProfileValue(const char* path, const char* section, const char* key,
                           const char* value, uint32_t* error) override
    {
        if (WritePrivateProfileStringA(section, key, value, path)) {
            *error = 0;
            return true;
        }
        *error = GetLastError();
        return false;
    }

    bool RemoveFile(const char* path) override { return DeleteFileA(path) != FALSE; }

    void ReportError(int32_t errorNumber, uint32_t jobId) override
    {
        ::ReportError(errorNumber, jobId);
    }
};

}  // namespace

HandoffFileSystem& Win32HandoffFileSystem()
{
    static WindowsHandoffFileSystem files;
    return files;
}
