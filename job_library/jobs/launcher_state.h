// What the job engine knows about the launcher program: whether it counts as
// running, and the numbers of the window messages it understands.
#pragma once
#include <cstdint>

// Message numbers (WM_USER + 101 .. 104). wParam/lParam: job id and first page
// of the group for LM_PRINT, 0 and 0 for the others.
const uint32_t LM_PRINT = 1125;
const uint32_t LM_SUSPEND = 1126;
const uint32_t LM_RESUME = 1127;
const uint32_t LM_DELETE = 1128;

// 1 while the launcher process counts as running. Set from the result of
// CreateLauncher by the job engine, cleared by ResetJobState and by a
// successful LM_DELETE; read by whoever posts to the launcher.
extern int32_t gbLuncherExist;
