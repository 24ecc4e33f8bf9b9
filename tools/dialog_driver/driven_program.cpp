#include "driven_program.h"

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

DrivenProgram::~DrivenProgram()
{
    if (m_process)
        CloseHandle(m_process);
}

bool DrivenProgram::Start(const std::string& path, std::string& error)
{
    const size_t slash = path.find_last_of("\\/");
    const std::string folder = slash == std::string::npos ? std::string() : path.substr(0, slash);
    std::string commandLine = "\"" + path + "\"";
    // None of the driver's standard handles: the program outlives the
    // driver, and a pipe the driver's output goes to must close with it.
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    PROCESS_INFORMATION started = {};
    if (!CreateProcessA(path.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                        folder.empty() ? nullptr : folder.c_str(), &startup, &started)) {
        error = ErrorText("cannot start " + path);
        return false;
    }
    CloseHandle(started.hThread);
    m_process = started.hProcess;
    m_id = started.dwProcessId;
    return true;
}

bool DrivenProgram::Open(DWORD processId)
{
    m_process = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE, processId);
    m_id = processId;
    return m_process != nullptr;
}

bool DrivenProgram::IsRunning() const
{
    return m_process && WaitForSingleObject(m_process, 0) == WAIT_TIMEOUT;
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
    if (!m_process || WaitForSingleObject(m_process, kProgramWaitMs) != WAIT_OBJECT_0)
        return false;
    return GetExitCodeProcess(m_process, &exitCode) != FALSE;
}
