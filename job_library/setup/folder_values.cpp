#include "folder_values.h"

FolderKeyResult ReadFolderValues(RegistryReader& registry, const char* subKey,
                                 const RegistryValueNames& names, FolderValues& folders)
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
            value.out[0] == '\0') {
            value.out[0] = '\0';
            break;
        }
        ++folders.readCount;
    }
    return key->Close() ? FolderKeyResult::Closed : FolderKeyResult::CloseFailed;
}
