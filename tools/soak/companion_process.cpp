#include "companion_process.h"

#include "full_path_win32.h"
#include "started_program_win32.h"

namespace {

// An inheritable copy of this process's standard handle; empty when there is none.
KernelHandle InheritableStdHandle(DWORD which)
{
    const HANDLE own = GetStdHandle(which);
    HANDLE copy = nullptr;
    if (!own || own == INVALID_HANDLE_VALUE ||
        !DuplicateHandle(GetCurrentProcess(), own, GetCurrentProcess(), &copy, 0, TRUE,
                         DUPLICATE_SAME_ACCESS))
        return KernelHandle();
    return KernelHandle(copy);
}

}  // namespace

CompanionProcess::~CompanionProcess()
{
    if (m_process && WaitForSingleObject(m_process.Get(), 0) != WAIT_OBJECT_0)
        TerminateProcess(m_process.Get(), 3);
}

std::string CompanionProcess::ReportPath(const std::string& root, unsigned host)
{
    return root + "\\host " + std::to_string(host) + " report.txt";
}

bool CompanionProcess::Start(const SoakOptions& options, unsigned host, std::string& error)
{
    const std::string program = ThisProgramPath();
    if (program.empty()) {
        error = "the soak cannot find its own program";
        return false;
    }
    DeleteFileA(ReportPath(options.root, host).c_str());
    std::string commandLine = "\"" + program + "\" --companion " + std::to_string(host) +
                              " --hosts " + std::to_string(options.hosts) + " --pages " +
                              std::to_string(options.pages) + " --seed " + std::to_string(options.seed) +
                              " --threads " + std::to_string(options.threads) + " --root \"" + options.root +
                              "\" --parent " + std::to_string(GetCurrentProcessId()) + " --verbose " +
                              (options.verbose ? "1" : "0");
    // Its lines go where this process's go.
    const KernelHandle input = InheritableStdHandle(STD_INPUT_HANDLE);
    const KernelHandle output = InheritableStdHandle(STD_OUTPUT_HANDLE);
    const KernelHandle errors = InheritableStdHandle(STD_ERROR_HANDLE);
    STARTUPINFOA startup = {};
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = input.Get();
    startup.hStdOutput = output.Get();
    startup.hStdError = errors.Get();
    m_process = StartProgram(program.c_str(), commandLine, startup, true);
    if (!m_process) {
        error = "host process " + std::to_string(host) + " cannot be started (error " +
                std::to_string(GetLastError()) + ")";
        return false;
    }
    return true;
}

bool CompanionProcess::Wait(unsigned long timeoutMs, unsigned long& exitCode)
{
    if (!m_process)
        return false;
    if (WaitForSingleObject(m_process.Get(), timeoutMs) != WAIT_OBJECT_0) {
        TerminateProcess(m_process.Get(), 3);
        WaitForSingleObject(m_process.Get(), 10000);
        return false;
    }
    DWORD code = 0;
    GetExitCodeProcess(m_process.Get(), &code);
    exitCode = code;
    return true;
}
