// Finding the launcher's window among the top-level windows, and telling
// whether a window found earlier still belongs to the launcher.
#pragma once
#include <windows.h>

// The first top-level window owned by process `processId`, the system's
// per-thread helper windows left out; null when it has none.
HWND FindLauncherWindow(DWORD processId);

// Looks for that window until it appears or `timeLimitMs` have passed; looks
// at least once.
HWND WaitForLauncherWindow(DWORD processId, DWORD timeLimitMs);

// True while `window` exists and is still owned by process `processId`
// (a window of a process that has ended is destroyed with it).
bool IsLauncherWindow(HWND window, DWORD processId);
