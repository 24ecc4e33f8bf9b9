#include "file_holder.h"

#include "full_path_win32.h"
#include "started_program_win32.h"

namespace {
const DWORD kOpenTriesMs = 1000;
const DWORD kRetryMs = 5;
const DWORD kFinishWaitMs = 30000;
}  // namespace

int RunFileHolder(const std::string& path, unsigned long milliseconds)
{
    const DWORD start = GetTickCount();
    for (;;) {
        const KernelHandle file(CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                            OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (file) {
            Sleep(milliseconds);
            return 0;
        }
        if (GetTickCount() - start >= kOpenTriesMs)
            return 1;
        Sleep(kRetryMs);
    }
}

bool FileHolder::Start(const std::string& path, unsigned long milliseconds)
{
    Finish();
    const std::string program = ThisProgramPath();
    if (program.empty())
        return false;
    m_process = StartProgram(program.c_str(),
                             "\"" + program + "\" --hold-file \"" + path + "\" " +
                                 std::to_string(milliseconds),
                             STARTUPINFOA(), false);
    return static_cast<bool>(m_process);
}

bool FileHolder::Finish()
{
    if (!m_process)
        return false;
    DWORD exitCode = 1;
    WaitForExitCode(m_process.Get(), kFinishWaitMs, exitCode);
    m_process.Close();
    return exitCode == 0;
}
