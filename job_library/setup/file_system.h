// The file and folder operations of the library's set-up. The DLL uses the
// Windows file functions; native tests use a fake.
#pragma once
#include <cstddef>
#include <memory>
#include <string>

class DirectoryEntryVisitor {
public:
    virtual ~DirectoryEntryVisitor() = default;
    // One entry of a listing: its bare name and whether it is a folder.
    virtual void Visit(const char* name, bool isDirectory) = 0;
};

// A file opened for this process alone: while it is held nobody else can
// open, hand over or delete it. Closed when it goes.
class HeldFile {
public:
    virtual ~HeldFile() = default;
    // Deletes the file through the handle; false when it cannot be deleted.
    virtual bool Remove() = 0;
};

class FileSystem {
public:
    virtual ~FileSystem() = default;

    // The process's current directory; false when it does not fit buffer.
    virtual bool CurrentDir(char* buffer, size_t size) = 0;
    virtual bool ChangeDir(const char* path) = 0;

    // Whether the file can be opened for reading (it is closed again at once).
    virtual bool CanOpenForReading(const char* path) = 0;
    // Opens the file for appending and closes it, which creates it when
    // missing; false when it cannot be opened.
    virtual bool CreateIfMissing(const char* path) = 0;

    // Lists the entries matching pattern (folder and wildcard); "." and ".."
    // come as folders. Entries may be removed while the listing runs.
    virtual void ListEntries(const char* pattern, DirectoryEntryVisitor& visitor) = 0;
    virtual bool RemoveFile(const char* path) = 0;
    // Opens the file for this process alone; null when another program has
    // it open (a page another host process holds or is handing over), or it
    // is gone. Never throws.
    virtual std::unique_ptr<HeldFile> HoldAlone(const char* path) = 0;

    // The whole content of a file; false when it cannot be read.
    virtual bool ReadText(const char* path, std::string& text) = 0;
    // The system's temporary folder, ending with a backslash; false when it
    // does not fit buffer.
    virtual bool TempFolder(char* buffer, size_t size) = 0;
    // Whether path names the same place whatever the current folder is.
    virtual bool IsAbsolutePath(const char* path) = 0;
};
