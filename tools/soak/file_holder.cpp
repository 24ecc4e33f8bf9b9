#include "file_holder.h"

namespace {
const DWORD kOpenTriesMs = 1000;
const DWORD kRetryMs = 5;
}  // namespace

int RunFileHolder(const std::string& path, unsigned long milliseconds)
{
    const DWORD start = GetTickCount();
    HANDLE file = INVALID_HANDLE_VALUE;
    while ((file = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                               FILE_ATTRIBUTE_NORMAL, nullptr)) == INVALID_HANDLE_VALUE &&
           GetTickCount() - start < kOpenTriesMs)
        Sleep(kRetryMs);
    if (file == INVALID_HANDLE_VALUE)
        return 1;
    Sleep(milliseconds);
    CloseHandle(file);
    return 0;
}

bool FileHolder::Start(const std::string& path, unsigned long milliseconds)
{
    Finish();
    char program[MAX_PATH];
    const DWORD n = GetModuleFileNameA(nullptr, program, sizeof program);
    if (n == 0 || n >= sizeof program)
        return false;
    std::string commandLine = "\"" + std::string(program) + "\" --hold-file \"" + path + "\" " +
                              std::to_string(milliseconds);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    if (!CreateProcessA(program, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &info))
        return false;
    CloseHandle(info.hThread);
    m_process = info.hProcess;
    return true;
}

bool FileHolder::Finish()
{
    if (!m_process)
        return false;
    WaitForSingleObject(m_process, 30000);
    DWORD exitCode = 1;
    GetExitCodeProcess(m_process, &exitCode);
    CloseHandle(m_process);
    m_process = nullptr;
    return exitCode == 0;
}
