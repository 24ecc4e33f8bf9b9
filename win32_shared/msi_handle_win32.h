// Owner of a Windows Installer handle (a record, a view, a database), closed
// with MsiCloseHandle (unique_handle_win32.h). The handle of the running
// installation, which an action is given, is the installer's: never owned.
// Users link msi.
#pragma once
#include <windows.h>
#include <msi.h>

#include "win32_shared/unique_handle_win32.h"

struct MsiHandleTraits {
    using Handle = MSIHANDLE;
    static Handle Empty() { return 0; }
    static bool IsEmpty(Handle handle) { return handle == 0; }
    static bool Free(Handle handle) { return MsiCloseHandle(handle) == ERROR_SUCCESS; }
};
using MsiHandle = UniqueHandle<MsiHandleTraits>;
