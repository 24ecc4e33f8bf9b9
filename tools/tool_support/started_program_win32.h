// Programs a tool starts and waits for: the benchmark's bare printer, the
// soak's second processes, the program whose dialog is driven.
#pragma once
#include <windows.h>

#include <string>

#include "win32_shared/kernel_handles_win32.h"

// Starts `program` (null: the first word of the command line) with
// `commandLine`, in `folder` (null: this process's current folder), with
// the standard handles and settings of `startup` (its size is set here);
// `inheritHandles` passes this process's inheritable handles on. Returns
// the process's handle (its first thread's is closed at once) and puts its
// id in *processId; empty, GetLastError() saying why, when it cannot start.
KernelHandle StartProgram(const char* program, std::string commandLine, STARTUPINFOA startup,
                          bool inheritHandles, const char* folder = nullptr,
                          DWORD* processId = nullptr);

// Waits up to timeoutMs for the process to end and reads its exit code;
// false when it still runs then or the code cannot be read.
bool WaitForExitCode(HANDLE process, DWORD timeoutMs, DWORD& exitCode);
