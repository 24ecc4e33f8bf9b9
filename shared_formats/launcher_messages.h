// The window messages jobport.dll posts to the launcher's hidden window (and
// the test doubles and the soak read back). wParam and lParam: the job id and
// the first page of the group for LM_PRINT, 0 and 0 for the others.
#pragma once
#include <cstdint>

const uint32_t LM_PRINT = 1125;    // WM_USER + 101: print the group's page list
const uint32_t LM_SUSPEND = 1126;  // WM_USER + 102: hold printing
const uint32_t LM_RESUME = 1127;   // WM_USER + 103: go on printing
const uint32_t LM_DELETE = 1128;   // WM_USER + 104: end the launcher
