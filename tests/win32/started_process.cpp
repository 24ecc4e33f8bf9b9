#include "started_process.h"

StartedProcess StartProcess(const char* program, std::string commandLine, DWORD flags,
                            const char* folder, STARTUPINFOA* startup)
{
    STARTUPINFOA plain = {};
    plain.cb = sizeof plain;
    STARTUPINFOA* const used = startup ? startup : &plain;
    const BOOL inherit = (used->dwFlags & STARTF_USESTDHANDLES) ? TRUE : FALSE;
    PROCESS_INFORMATION info = {};
    StartedProcess started;
    if (!CreateProcessA(program, &commandLine[0], nullptr, nullptr, inherit, flags, nullptr, folder,
                        used, &info))
        return started;
    started.process.Reset(info.hProcess);
    started.thread.Reset(info.hThread);
    started.id = info.dwProcessId;
    started.created = true;
    return started;
}

DWORD ExitCodeWithin(const StartedProcess& started, DWORD timeoutMs)
{
    DWORD exitCode = ~0u;
    if (!started.process)
        return exitCode;
    if (WaitForSingleObject(started.process.Get(), timeoutMs) == WAIT_OBJECT_0)
        GetExitCodeProcess(started.process.Get(), &exitCode);
    else
        TerminateProcess(started.process.Get(), ~0u);
    return exitCode;
}
