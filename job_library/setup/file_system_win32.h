// FileSystem over the Windows file functions.
#pragma once
#include "file_system.h"

class Win32FileSystem : public FileSystem {
public:
    bool CurrentDir(char* buffer, size_t size) override;
    bool ChangeDir(const char* path) override;
    bool CanOpenForReading(const char* path) override;
    bool CreateIfMissing(const char* path) override;
    void ListEntries(const char* pattern, DirectoryEntryVisitor& visitor) override;
    bool RemoveFile(const char* path) override;
    std::unique_ptr<HeldFile> HoldAlone(const char* path) override;
    bool ReadText(const char* path, std::string& text) override;
    bool TempFolder(char* buffer, size_t size) override;
    bool IsAbsolutePath(const char* path) override;
};
