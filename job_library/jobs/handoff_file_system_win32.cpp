#include "handoff_file_system_win32.h"

#include <windows.h>

#include <new>
#include <utility>

#include "setup/error_reporter.h"
#include "win32_shared/kernel_handles_win32.h"

namespace {

class WindowsHandoffFile : public HandoffFile {
public:
    explicit WindowsHandoffFile(KernelHandle file) : m_file(std::move(file)) {}

    bool Write(const char* bytes, size_t size) override
    {
        while (size > 0) {
            const DWORD chunk = size > 0x40000000u ? 0x40000000u : static_cast<DWORD>(size);
            DWORD written = 0;
            if (!m_file || !WriteFile(m_file.Get(), bytes, chunk, &written, nullptr) || written == 0)
                return false;
            bytes += written;
            size -= written;
        }
        return true;
    }

    bool Close() override
    {
        // A successful close keeps the error of a failed write for the report.
        const DWORD lastError = GetLastError();
        const bool closed = m_file.Close();
        if (closed)
            SetLastError(lastError);
        return closed;
    }

private:
    KernelHandle m_file;
};

class WindowsHandoffFileSystem : public HandoffFileSystem {
public:
    std::unique_ptr<HandoffFile> OpenForWriting(const char* path, bool append) override
    {
        // The sharing a runtime stream opens with: others may read and write.
        KernelHandle handle(CreateFileA(path, append ? FILE_APPEND_DATA : GENERIC_WRITE,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                        append ? OPEN_ALWAYS : CREATE_ALWAYS,
                                        FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!handle)
            return nullptr;
        WindowsHandoffFile* file = new (std::nothrow) WindowsHandoffFile(std::move(handle));
        if (!file) {
            // No object was made, so the handle was never moved: close it
            // before the error is set.
            handle.Close();
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
