#include "companion_process.h"

namespace {

// An inheritable copy of this process's standard handle, or null.
HANDLE InheritableStdHandle(DWORD which)
{
    const HANDLE own = GetStdHandle(which);
    HANDLE copy = nullptr;
    if (!own || own == INVALID_HANDLE_VALUE ||
        !DuplicateHandle(GetCurrentProcess(), own, GetCurrentProcess(), &copy, 0, TRUE,
                         DUPLICATE_SAME_ACCESS))
        return nullptr;
    return copy;
}

void CloseIfOpen(HANDLE handle)
{
    if (handle)
        CloseHandle(handle);
}

}  // namespace

CompanionProcess::~CompanionProcess()
{
    if (!m_process)
        return;
    if (WaitForSingleObject(m_process, 0) != WAIT_OBJECT_0)
        TerminateProcess(m_process, 3);
    CloseHandle(m_process);
}

std::string CompanionProcess::ReportPath(const std::string& root, unsigned host)
{
    return root + "\\host " + std::to_string(host) + " report.txt";
}

bool CompanionProcess::Start(const SoakOptions& options, unsigned host, std::string& error)
{
    char program[MAX_PATH];
    const DWORD n = GetModuleFileNameA(nullptr, program, sizeof program);
    if (n == 0 || n >= sizeof program) {
        error = "the soak cannot find its own program";
        return false;
    }
    DeleteFileA(ReportPath(options.root, host).c_str());
    std::string commandLine = "\"" + std::string(program) + "\" --companion " + std::to_string(host) +
                              " --hosts " + std::to_string(options.hosts) + " --pages " +
                              std::to_string(options.pages) + " --seed " + std::to_string(options.seed) +
                              " --threads " + std::to_string(options.threads) + " --root \"" + options.root +
                              "\" --parent " + std::to_string(GetCurrentProcessId()) + " --verbose " +
                              (options.verbose ? "1" : "0");
    // Its lines go where this process's go.
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = InheritableStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = InheritableStdHandle(STD_OUTPUT_HANDLE);
    startup.hStdError = InheritableStdHandle(STD_ERROR_HANDLE);
    PROCESS_INFORMATION info = {};
    const BOOL started = CreateProcessA(program, &commandLine[0], nullptr, nullptr, TRUE, 0, nullptr,
                                        nullptr, &startup, &info);
    const DWORD startError = GetLastError();
    CloseIfOpen(startup.hStdInput);
    CloseIfOpen(startup.hStdOutput);
    CloseIfOpen(startup.hStdError);
    if (!started) {
        error = "host process " + std::to_string(host) + " cannot be started (error " +
                std::to_string(startError) + ")";
        return false;
    }
    CloseHandle(info.hThread);
    m_process = info.hProcess;
    return true;
}

bool CompanionProcess::Wait(unsigned long timeoutMs, unsigned long& exitCode)
{
    if (!m_process)
        return false;
    if (WaitForSingleObject(m_process, timeoutMs) != WAIT_OBJECT_0) {
        TerminateProcess(m_process, 3);
        WaitForSingleObject(m_process, 10000);
        return false;
    }
    DWORD code = 0;
    GetExitCodeProcess(m_process, &code);
    exitCode = code;
    return true;
}
