// Library entry point: installs the Win32 diagnostics on load.
#include <windows.h>

#include "setup/diagnostics_win32.h"

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH) {
        DisableThreadLibraryCalls(instance);
        InstallWin32Diagnostics();
    }
    return TRUE;
}
