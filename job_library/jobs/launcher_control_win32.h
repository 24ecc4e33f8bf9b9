// Starting the launcher program KESTRO.EXE, posting its messages (LM_PRINT,
// LM_SUSPEND, LM_RESUME, LM_DELETE of launcher_state.h) and telling it to end.
// gbLuncherExist says whether a launcher counts as running. Every failure is
// written to the debug log through ReportError with job id 0. Nothing throws.
#pragma once
#include <windows.h>

#include <cstdint>

// Starts installDir\KESTRO.EXE with the configuration file's path in quotes
// on its command line, waits up to ChildTimeOut until it is idle and has a
// top-level window, and keeps that window for later posts. Sets
// gbLuncherExist to the result.
// - configPath cannot be opened for reading: false, nothing reported.
// - program path or command line too long: error 17, nothing started.
// - process not created: error 40.
// - not idle within ChildTimeOut, or no window within the rest of it (a few
//   seconds when there is no limit): error 41; the process is ended.
// The process and thread handles are closed before it returns.
bool CreateLauncher(const char* installDir, const char* configPath) noexcept;

// Posts `message` with wParam and lParam to the launcher's window.
// - gbLuncherExist is 0: error 10, false.
// - the post fails: error 9. When the message is LM_PRINT and the launcher's
//   window or process is gone, the launcher is started again as the last
//   successful CreateLauncher did and the message is posted to the new one;
//   the result is false only when that start or the second post fails (the
//   start has then reported its own error and cleared gbLuncherExist).
// Never posts to a null or foreign window.
bool PostToLauncher(uint32_t wParam, uint32_t lParam, uint32_t message) noexcept;

// Posts LM_DELETE; clears gbLuncherExist when that succeeded. Logs
// "==>Luncher : Delete KESTRO.EXE", " OK DeleteLuncher" or " NG DeleteLuncher"
// and a separator line.
void DeleteLauncher() noexcept;

// The window posts go to, and the id of its process; null and 0 before the
// first successful start and after a failed one.
HWND LauncherWindow() noexcept;
DWORD LauncherProcessId() noexcept;
