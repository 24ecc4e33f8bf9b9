// Starting a child process from a test (LaunchProcess of the tools'
// support) and waiting for the child's exit code.
#pragma once
#include <windows.h>

#include <string>

#include "started_program_win32.h"

// Starts program (null: the first word of commandLine names it) with
// creation flags, in folder (null: this process's current folder). A
// startup that hands over standard handles (STARTF_USESTDHANDLES) makes the
// child inherit handles. Not created when it did not start; GetLastError()
// tells why.
StartedProcess StartProcess(const char* program, std::string commandLine, DWORD flags = 0,
                            const char* folder = nullptr, STARTUPINFOA* startup = nullptr);

// Waits up to timeoutMs for the process to end and gives its exit code; one
// that runs on is ended and gives ~0u, as does one that never started.
DWORD ExitCodeWithin(const StartedProcess& started, DWORD timeoutMs);
