// What moving page files into the data folder needs from the system. The DLL
// uses the Win32 implementation (page_file_system_win32.h); native tests use
// a fake that keeps the files in memory. Implementations never throw.
#pragma once
#include <cstdint>

class PageFileSystem {
public:
    virtual ~PageFileSystem() = default;

    // Creates the folder; failure (an existing folder among others) is not
    // reported.
    virtual void CreateFolder(const char* path) = 0;

    // True when a file or folder of this name exists, or may exist.
    virtual bool Exists(const char* path) = 0;

    // Moves the file by renaming it; never replaces an existing file. False
    // when a rename would not leave the same files as copying and deleting
    // the source would (another volume, a source that cannot be deleted, a
    // source that is no plain file); the caller then copies.
    virtual bool Rename(const char* from, const char* to) = 0;

    // Copies the file with its contents and attributes; never replaces an
    // existing file.
    virtual bool Copy(const char* from, const char* to) = 0;

    // Deletes the file; false when it cannot be deleted.
    virtual bool RemoveFile(const char* path) = 0;

    // One line of the debug log.
    virtual void WriteLog(int32_t number, const char* text) = 0;
};
