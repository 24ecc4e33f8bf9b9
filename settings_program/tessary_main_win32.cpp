// Entry point of Tessary.exe.
#include <windows.h>

#include "app/tessary_app_win32.h"
#include "win32_shared/dll_search_win32.h"

// The program's one application object.
static CTessaryApp theApp;

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    // Before anything can load a DLL (the print dialog, printer drivers).
    // An older Windows without the restriction runs on as before.
    RestrictDllSearch();
    return theApp.Run(instance);
}
