#include "launcher_window_win32.h"

#include "launcher_rules.h"

namespace {

struct WindowSearch {
    DWORD processId;
    HWND found;
};

// EnumWindows callback: stops at the first window of the process that is not
// a system helper window. Makes only C calls, so nothing can be thrown out.
BOOL CALLBACK VisitTopLevelWindow(HWND window, LPARAM param)
{
    WindowSearch* search = reinterpret_cast<WindowSearch*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != search->processId)
        return TRUE;
    char className[64] = {};
    GetClassNameA(window, className, sizeof className);
    if (IsSystemHelperWindowClass(className))
        return TRUE;
    search->found = window;
    return FALSE;
}

}  // namespace

HWND FindLauncherWindow(DWORD processId)
{
    WindowSearch search = {processId, nullptr};
    EnumWindows(VisitTopLevelWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND WaitForLauncherWindow(DWORD processId, DWORD timeLimitMs)
{
    const DWORD start = GetTickCount();
    for (;;) {
        if (HWND window = FindLauncherWindow(processId))
            return window;
        const DWORD elapsed = GetTickCount() - start;
        if (elapsed >= timeLimitMs)
            return nullptr;
        const DWORD left = timeLimitMs - elapsed;
        Sleep(left < kWindowSearchPollMs ? left : kWindowSearchPollMs);
    }
}

bool IsLauncherWindow(HWND window, DWORD processId)
{
    if (!window || !IsWindow(window))
        return false;
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    return owner == processId;
}
