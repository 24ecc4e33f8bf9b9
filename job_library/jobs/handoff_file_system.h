// What writing and deleting the hand-off files needs from the system. The DLL
// uses the Win32 implementation (handoff_file_system_win32.h); native tests
// use a fake that keeps the files in memory. Implementations never throw.
#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>

// A hand-off file open for writing; destroying it closes it.
class HandoffFile {
public:
    virtual ~HandoffFile() = default;
    // Writes the bytes as they are (no line-end translation); false unless
    // all of them were written.
    virtual bool Write(const char* bytes, size_t size) = 0;
    // Closes the file; false when what was written may not have reached it.
    // Keeps the thread's last system error of a failed write.
    virtual bool Close() = 0;
};

class HandoffFileSystem {
public:
    virtual ~HandoffFileSystem() = default;

    // Opens path for writing, creating it when missing: emptied when append
    // is false, positioned at its end when append is true. Other programs may
    // read and write it meanwhile. Null when it cannot be opened.
    virtual std::unique_ptr<HandoffFile> OpenForWriting(const char* path, bool append) = 0;

    // Writes key = value in section of the profile (INI) file at path, which
    // is created when missing. On failure *error is the system's last error
    // code, which may be 0.
    virtual bool WriteProfileValue(const char* path, const char* section, const char* key,
                                   const char* value, uint32_t* error) = 0;

    // Deletes the file at path; false when it is missing or cannot be deleted.
    virtual bool RemoveFile(const char* path) = 0;

    // The library's error reporter.
    virtual void ReportError(int32_t errorNumber, uint32_t jobId) = 0;
};
