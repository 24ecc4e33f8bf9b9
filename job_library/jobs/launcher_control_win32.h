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
// gbLuncherExist to the result. Groups handed to an earlier launcher that
// died and could not be started again, whose page lists still exist, are
// posted to the new one first ("==>Luncher : post again (job,page)").
// - configPath cannot be opened for reading: false, nothing reported.
// - program path or command line too long: error 17, nothing started.
// - process not created: error 40.
// - not idle within ChildTimeOut, or no window within the rest of it (a few
//   seconds when there is no limit): error 41; the process is ended.
// The process and thread handles are closed before it returns.
bool CreateLauncher(const char* installDir, const char* configPath) noexcept;

// Posts `message` with wParam and lParam to the launcher's window. Every
// LM_PRINT posted is remembered until its page list is gone (the launcher
// deletes it after printing the group).
// - gbLuncherExist is 0: error 10, false.
// - the post fails: error 9. When the launcher's window or process is gone
//   and the message is LM_PRINT, or LM_SUSPEND or LM_RESUME while remembered
//   groups still wait, the launcher is started again as the last successful
//   CreateLauncher did; the remembered groups whose page lists still exist
//   are posted to it again in their order, one log line each, then the
//   message. The result is false only when that start or a post to the new
//   launcher fails (a failed start has reported its own error and cleared
//   gbLuncherExist).
// Never posts to a null or foreign window.
bool PostToLauncher(uint32_t wParam, uint32_t lParam, uint32_t message) noexcept;

// Posts LM_DELETE; when that succeeded clears gbLuncherExist and forgets the
// remembered groups (the launcher prints them before it ends). Logs
// "==>Luncher : Delete KESTRO.EXE", " OK DeleteLuncher" or " NG DeleteLuncher"
// and a separator line.
void DeleteLauncher() noexcept;

// The window posts go to, and the id of its process; null and 0 before the
// first successful start and after a failed one.
HWND LauncherWindow() noexcept;
DWORD LauncherProcessId() noexcept;
