#include "started_process.h"

StartedProcess StartProcess(const char* program, std::string commandLine, DWORD flags,
                            const char* folder, STARTUPINFOA* startup)
{
    const STARTUPINFOA used = startup ? *startup : STARTUPINFOA();
    const bool inherit = (used.dwFlags & STARTF_USESTDHANDLES) != 0;
    return LaunchProcess(program, std::move(commandLine), used, inherit, flags, folder);
}

DWORD ExitCodeWithin(const StartedProcess& started, DWORD timeoutMs)
{
    DWORD exitCode = ~0u;
    if (started.process && !WaitForExitCode(started.process.Get(), timeoutMs, exitCode)) {
        TerminateProcess(started.process.Get(), ~0u);
        exitCode = ~0u;
    }
    return exitCode;
}
