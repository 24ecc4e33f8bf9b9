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

    // 0 when path names a plain file that can be opened for reading; else the
    // Windows error code of why not (missing, a folder, a device, held by
    // another program without sharing).
    virtual int32_t CheckSource(const char* path) = 0;

    // True when a file or folder of this name exists, or may exist.
    virtual bool Exists(const char* path) = 0;

    // Moves the file by renaming it; never replaces an existing file. The
    // moved file is never read-only. False when a rename would not leave the
    // same files as copying and deleting the source would (another volume, a
    // source that is no plain file); the caller then copies.
    virtual bool Rename(const char* from, const char* to) = 0;

    // Copies the file with its contents; never replaces an existing file.
    // The copy is never read-only: the data folder's files are the
    // launcher's and JP_init's to delete.
    virtual bool Copy(const char* from, const char* to) = 0;
    // The Windows error code of the last Rename, Copy or RemoveFile that
    // failed.
    virtual int32_t LastError() = 0;

    // Deletes the file, also a read-only one; false when it cannot be
    // deleted, and it then keeps its attributes.
    virtual bool RemoveFile(const char* path) = 0;
};
