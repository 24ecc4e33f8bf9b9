// Entry point of Tessary.exe.
#include <windows.h>

#include "app/tessary_app_win32.h"

// The program's one application object.
static CTessaryApp theApp;

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    return theApp.Run(instance);
}
