// Win32 implementation of the debug log's and error reporter's platform.
#pragma once

// Makes the Win32 clock, last-error code, string table and message boxes
// the ones in use.
void InstallWin32Diagnostics();
