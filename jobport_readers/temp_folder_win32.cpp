#include "temp_folder_win32.h"

#include <windows.h>

bool ReadTempFolder(char* folder, size_t size)
{
    if (!folder || size == 0)
        return false;
    folder[0] = '\0';
    const DWORD bufferSize = size > MAXDWORD ? MAXDWORD : static_cast<DWORD>(size);
    const DWORD length = GetTempPathA(bufferSize, folder);
    // 0 is failure; a length of the buffer size or more is the size it needs.
    if (length == 0 || length >= bufferSize) {
        folder[0] = '\0';
        return false;
    }
    return true;
}
