#include "started_program_win32.h"

KernelHandle StartProgram(const char* program, std::string commandLine, STARTUPINFOA startup,
                          bool inheritHandles, const char* folder, DWORD* processId)
{
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started = {};
    if (!CreateProcessA(program, &commandLine[0], nullptr, nullptr, inheritHandles ? TRUE : FALSE,
                        0, nullptr, folder, &startup, &started))
        return KernelHandle();
    const KernelHandle thread(started.hThread);
    if (processId)
        *processId = started.dwProcessId;
    return KernelHandle(started.hProcess);
}

bool WaitForExitCode(HANDLE process, DWORD timeoutMs, DWORD& exitCode)
{
    return WaitForSingleObject(process, timeoutMs) == WAIT_OBJECT_0 &&
           GetExitCodeProcess(process, &exitCode) != FALSE;
}
