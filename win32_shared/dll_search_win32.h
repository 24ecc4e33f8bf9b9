// Where a program loads DLLs from. By default Windows also searches the
// current folder and the folders on PATH for a DLL named without a path, so
// a DLL planted there (the host's file dialogs change the current folder)
// could be loaded by a printer driver, a delay-loaded import or a
// LoadLibrary of a bare name. KESTRO.EXE and Tessary.exe call this first
// thing, before anything may load a DLL.
#pragma once
#include <windows.h>

#ifndef LOAD_LIBRARY_SEARCH_APPLICATION_DIR
#define LOAD_LIBRARY_SEARCH_APPLICATION_DIR 0x00000200
#endif
#ifndef LOAD_LIBRARY_SEARCH_SYSTEM32
#define LOAD_LIBRARY_SEARCH_SYSTEM32 0x00000800
#endif

// Limits the search for DLLs of this process to the system folder and the
// program's own folder (SetDefaultDllDirectories, looked up at run time so
// that the program still starts on a Windows without it), and drops the
// current folder from the search either way (SetDllDirectory ""). False
// when this Windows lacks SetDefaultDllDirectories or refused it: then only
// the current folder is dropped.
inline bool RestrictDllSearch()
{
    SetDllDirectoryA("");
    typedef BOOL(WINAPI * SetDefaultDllDirectoriesFunction)(DWORD);
    const HMODULE kernel = GetModuleHandleA("kernel32.dll");
    const FARPROC found = kernel ? GetProcAddress(kernel, "SetDefaultDllDirectories") : nullptr;
    if (!found)
        return false;
    // Through void*: a cast between unrelated function pointer types warns.
    const SetDefaultDllDirectoriesFunction setDefault =
        reinterpret_cast<SetDefaultDllDirectoriesFunction>(reinterpret_cast<void*>(found));
    return setDefault(LOAD_LIBRARY_SEARCH_SYSTEM32 | LOAD_LIBRARY_SEARCH_APPLICATION_DIR) != FALSE;
}
