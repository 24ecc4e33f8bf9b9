#include "started_program_win32.h"

StartedProcess LaunchProcess(const char* program, std::string commandLine, STARTUPINFOA startup,
                             bool inheritHandles, DWORD flags, const char* folder)
{
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    StartedProcess started;
    if (!CreateProcessA(program, &commandLine[0], nullptr, nullptr, inheritHandles ? TRUE : FALSE,
                        flags, nullptr, folder, &startup, &info))
        return started;
    started.created = true;
    // Wine answers TRUE for a Unix program without a process handle and
    // leaves the rest of `info` as its own stack held it: a thread "handle"
    // there may be one of this process's live handles, so nothing of it is
    // taken.
    if (!info.hProcess)
        return started;
    started.process.Reset(info.hProcess);
    started.thread.Reset(info.hThread);
    started.id = info.dwProcessId;
    return started;
}

KernelHandle StartProgram(const char* program, std::string commandLine, STARTUPINFOA startup,
                          bool inheritHandles, const char* folder, DWORD* processId)
{
    StartedProcess started =
        LaunchProcess(program, std::move(commandLine), startup, inheritHandles, 0, folder);
    if (processId)
        *processId = started.id;
    return std::move(started.process);
}

bool WaitForExitCode(HANDLE process, DWORD timeoutMs, DWORD& exitCode)
{
    return WaitForSingleObject(process, timeoutMs) == WAIT_OBJECT_0 &&
           GetExitCodeProcess(process, &exitCode) != FALSE;
}
