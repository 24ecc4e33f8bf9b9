// Programs a tool or a test starts and waits for: the benchmark's bare
// printer, the soak's second processes, the program whose dialog is driven,
// the programs the Windows tests run.
#pragma once
#include <windows.h>

#include <string>

#include "win32_shared/kernel_handles_win32.h"

// A process that was started. Its handles are closed when the owner goes;
// the process itself runs on. A program that is no Windows program (under
// Wine, a Unix one) may come without handles.
struct StartedProcess {
    KernelHandle process;
    KernelHandle thread;
    DWORD id = 0;
    bool created = false;  // CreateProcess succeeded

    explicit operator bool() const { return created; }
};

// CreateProcessA of `program` (null: the first word of the command line)
// with `commandLine` and creation `flags`, in `folder` (null: this process's
// current folder), with the standard handles and settings of `startup` (its
// size is set here); `inheritHandles` passes this process's inheritable
// handles on. Not created, GetLastError() saying why, when it cannot start.
StartedProcess LaunchProcess(const char* program, std::string commandLine, STARTUPINFOA startup,
                             bool inheritHandles, DWORD flags = 0, const char* folder = nullptr);

// LaunchProcess for a tool that needs only the process: its handle (the
// first thread's is closed at once) and its id in *processId; empty when it
// cannot start.
KernelHandle StartProgram(const char* program, std::string commandLine, STARTUPINFOA startup,
                          bool inheritHandles, const char* folder = nullptr,
                          DWORD* processId = nullptr);

// Waits up to timeoutMs for the process to end and reads its exit code;
// false when it still runs then or the code cannot be read.
bool WaitForExitCode(HANDLE process, DWORD timeoutMs, DWORD& exitCode);
