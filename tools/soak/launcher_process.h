// The soak's hand on a running launcher: freeze it so that groups queue up
// in its message queue, and kill it as a crash or a user would. Only a
// process whose program is KESTRO.EXE is touched: a process id can be
// reused by another program once its launcher has gone.
#pragma once
#include <functional>

// Suspends every thread of the launcher; false when none could be.
bool FreezeLauncher(unsigned long processId);
// Ends the launcher at once and waits until it has gone; false when it was
// not running (or not a launcher). beforeKill runs just before it is ended.
bool KillLauncher(unsigned long processId, const std::function<void()>& beforeKill);
// Waits until the process has ended; true also when it has gone already.
bool WaitForLauncherEnd(unsigned long processId, unsigned long timeoutMs);
