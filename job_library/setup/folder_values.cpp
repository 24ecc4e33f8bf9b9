#include "folder_values.h"

#include <cstring>

#include "jobport_readers/bounded_text.h"

namespace {

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

// Drops trailing separators, keeping the one of a drive's root ("C:\").
// A double-byte character whose trail byte is 0x5C is no separator.
void DropTrailingSeparators(char* folder)
{
    size_t length = std::strlen(folder);
    while (length > 3 && EndsWithSeparator(folder))
        folder[--length] = '\0';
}

}  // namespace

bool IsAbsoluteWindowsPath(const char* path)
{
    if (!path)
        return false;
    const bool onDrive = ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z')) &&
                         path[1] == ':' && IsSeparator(path[2]);
    const bool network = IsSeparator(path[0]) && IsSeparator(path[1]) && path[2] != '\0' &&
                         !IsSeparator(path[2]);
    return onDrive || network;
}

FolderKeyResult ReadFolderValues(RegistryReader& registry, FileSystem& files,
                                 const char* subKey, const RegistryValueNames& names,
                                 FolderValues& folders)
{
    folders = FolderValues{};
    std::unique_ptr<RegistryKey> key = registry.OpenKey(subKey);
    if (!key)
        return FolderKeyResult::NotOpened;

    const struct {
        const char* name;
        char* out;
    } kInOrder[] = {{names.logDir, folders.logDir},
                    {names.installDir, folders.installDir},
                    {names.iniDir, folders.iniDir},
                    {names.dataDir, folders.dataDir}};
    for (const auto& value : kInOrder) {
        if (!ReadRegistryText(*key, value.name, value.out, kPathBufferSize) ||
            !files.IsAbsolutePath(value.out)) {
            value.out[0] = '\0';
            break;
        }
        // The log folder gets its one separator when the log is pointed at it.
        if (value.out != folders.logDir)
            DropTrailingSeparators(value.out);
        ++folders.readCount;
    }
    return key->Close() ? FolderKeyResult::Closed : FolderKeyResult::CloseFailed;
}
