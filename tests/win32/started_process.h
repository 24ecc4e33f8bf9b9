// Starting a child process from a test: the owners of the handles
// CreateProcess gives, and waiting for the child's exit code.
#pragma once
#include <windows.h>

#include <string>

#include "win32_shared/kernel_handles_win32.h"

// A process this test started. Its handles are closed when the owner goes;
// the process itself runs on. A program that is no Windows program (under
// Wine, a Unix one) may come without handles.
struct StartedProcess {
    KernelHandle process;
    KernelHandle thread;
    DWORD id = 0;
    bool created = false;  // CreateProcess succeeded

    explicit operator bool() const { return created; }
};

// CreateProcessA of program (null: the first word of commandLine names it)
// with creation flags, in folder (null: this process's current folder).
// A startup that hands over standard handles (STARTF_USESTDHANDLES) makes
// the child inherit handles. False when it did not start; GetLastError()
// tells why.
StartedProcess StartProcess(const char* program, std::string commandLine, DWORD flags = 0,
                            const char* folder = nullptr, STARTUPINFOA* startup = nullptr);

// Waits up to timeoutMs for the process to end and gives its exit code; one
// that runs on is ended and gives ~0u, as does one that never started.
DWORD ExitCodeWithin(const StartedProcess& started, DWORD timeoutMs);
