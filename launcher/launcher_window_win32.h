// The launcher's one top-level window, never shown. The library posts its
// messages to it: LM_PRINT (1125, job id, first page of the group) queues the
// group for printing, LM_SUSPEND (1126) tells that no job is open any more,
// LM_RESUME (1127) that a job was started again, LM_DELETE (1128) that the
// launcher is to end: the groups already queued are still printed, then the
// program ends. The window procedure only queues; nothing it calls throws
// through the system's frames.
#pragma once
#include <windows.h>

#include "command_queue.h"

// Creates the window; null when that fails (logged).
HWND CreateLauncherWindow(HINSTANCE instance, CommandQueue& queue);
