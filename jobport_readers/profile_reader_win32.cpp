#include "profile_reader_win32.h"

#include <windows.h>

int32_t Win32ProfileReader::ReadInt(const char* path, const char* section, const char* key,
                                    int32_t def)
{
    // The function parses an optional minus sign; its UINT carries the
    // signed number's bits.
    return static_cast<int32_t>(GetPrivateProfileIntA(section, key, def, path));
}

size_t Win32ProfileReader::ReadString(const char* path, const char* section, const char* key,
                                      const char* def, char* buffer, size_t size)
{
    if (size == 0)
        return 0;
    const DWORD room = size > MAXDWORD ? MAXDWORD : static_cast<DWORD>(size);
    return GetPrivateProfileStringA(section, key, def, buffer, room, path);
}
