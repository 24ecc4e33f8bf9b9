#include "driven_program.h"

#include "started_program_win32.h"

namespace {

const DWORD kPollMs = 20;

struct DialogSearch {
    DWORD processId;
    int controlId;
    HWND found;
};

BOOL CALLBACK VisitTopLevel(HWND window, LPARAM param)
{
    DialogSearch* search = reinterpret_cast<DialogSearch*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != search->processId || !IsWindowVisible(window) ||
        !GetDlgItem(window, search->controlId))
        return TRUE;
    // The class name is read without allocating: nothing may throw here.
    wchar_t className[16] = {};
    GetClassNameW(window, className, 16);
    if (lstrcmpW(className, L"#32770") != 0)
        return TRUE;
    search->found = window;
    return FALSE;
}

std::string ErrorText(const std::string& what)
{
    return what + " (Windows error " + std::to_string(GetLastError()) + ")";
}

}  // namespace

bool DrivenProgram::Start(const std::string& path, std::string& error)
{
    const size_t slash = path.find_last_of("\\/");
    const std::string folder = slash == std::string::npos ? std::string() : path.substr(0, slash);
    // None of the driver's standard handles: the program outlives the
    // driver, and a pipe the driver's output goes to must close with it.
    STARTUPINFOA startup = {};
    startup.dwFlags = STARTF_USESTDHANDLES;
    m_process = StartProgram(path.c_str(), "\"" + path + "\"", startup, false,
                             folder.empty() ? nullptr : folder.c_str(), &m_id);
    if (!m_process) {
        error = ErrorText("cannot start " + path);
        return false;
    }
    return true;
}

bool DrivenProgram::Open(DWORD processId)
{
    m_process.Reset(OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE, processId));
    m_id = processId;
    return static_cast<bool>(m_process);
}

bool DrivenProgram::IsRunning() const
{
    return m_process && WaitForSingleObject(m_process.Get(), 0) == WAIT_TIMEOUT;
}

HWND DrivenProgram::WaitForDialog(int controlId) const
{
    const DWORD start = GetTickCount();
    for (;;) {
        DialogSearch search = {m_id, controlId, nullptr};
        EnumWindows(VisitTopLevel, reinterpret_cast<LPARAM>(&search));
        if (search.found)
            return search.found;
        if (!IsRunning() || GetTickCount() - start > kProgramWaitMs)
            return nullptr;
        Sleep(kPollMs);
    }
}

bool DrivenProgram::WaitForEnd(DWORD& exitCode) const
{
    return m_process && WaitForExitCode(m_process.Get(), kProgramWaitMs, exitCode);
}
