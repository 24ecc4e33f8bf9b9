// Waits, with no job open, until the launcher has recorded every group due.
// A launcher killed with groups queued is started again by the library only
// when it next posts: after a second without progress an empty job is run
// (its LM_RESUME finds the launcher gone), so the waiting groups go out.
#pragma once
#include "soak_context.h"

// True when every job is done within timeoutMs.
bool WaitForLauncherToCatchUp(SoakContext& context, unsigned long timeoutMs);
