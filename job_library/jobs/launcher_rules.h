// Decisions of the launcher control that need no operating system: how long
// to look for the launcher's window, which of its windows is the one to post
// to, and which posts start a launcher that has gone away again.
#pragma once
#include <cstdint>

// How long to look for the window of a launcher that became idle when
// ChildTimeOut sets no limit: a launcher without a window could otherwise
// never be told anything, and the host would wait for ever.
const uint32_t kWindowSearchWithoutLimitMs = 5000;
// Pause between two searches for the window.
const uint32_t kWindowSearchPollMs = 20;

// Milliseconds left for the window search once the launcher became idle
// `elapsedMs` after it was created: the rest of ChildTimeOut, or
// kWindowSearchWithoutLimitMs when ChildTimeOut is kNoTimeLimit.
uint32_t WindowSearchTimeLeft(uint32_t childTimeOut, uint32_t elapsedMs);

// True for the class names of the helper windows the system gives every
// thread that has a window ("IME", "MSCTFIME UI"): they are top-level windows
// of the launcher's process, but the launcher's own window procedure never
// sees what is posted to them.
bool IsSystemHelperWindowClass(const char* className);

// True for the messages that, when the launcher has gone, start it again and
// are posted once more after the groups still waiting: LM_PRINT, whose pages
// would otherwise never be printed, and LM_SUSPEND and LM_RESUME while
// `groupsWait` (groups handed over earlier are not printed yet), so that a
// launcher that died after a job's last group does not leave those groups
// until the next job. Never LM_DELETE: it is posted while the library
// unloads, where no process may be started and waited for.
bool RestartsLauncherWhenGone(uint32_t message, bool groupsWait);
