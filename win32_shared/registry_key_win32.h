// Owner of an open registry key, closed with RegCloseKey
// (unique_handle_win32.h).
#pragma once
#include <windows.h>

#include "win32_shared/unique_handle_win32.h"

struct RegistryKeyTraits : NullIsEmpty<HKEY> {
    static bool Free(Handle key) { return RegCloseKey(key) == ERROR_SUCCESS; }
};

class RegistryKeyHandle : public UniqueHandle<RegistryKeyTraits> {
public:
    // RegOpenKeyExA of path below root with access; a key held before is
    // closed first. False when the key cannot be opened.
    bool Open(HKEY root, const char* path, REGSAM access)
    {
        Close();
        HKEY key = nullptr;
        if (RegOpenKeyExA(root, path, 0, access, &key) != ERROR_SUCCESS)
            return false;
        Reset(key);
        return true;
    }
};
