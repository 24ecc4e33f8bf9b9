#include "launcher_process.h"

#include <windows.h>
#include <tlhelp32.h>

#include <string>

namespace {

class Handle {
public:
    explicit Handle(HANDLE handle) : m_handle(handle == INVALID_HANDLE_VALUE ? nullptr : handle) {}
    ~Handle()
    {
        if (m_handle)
            CloseHandle(m_handle);
    }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    HANDLE Get() const { return m_handle; }

private:
    HANDLE m_handle;
};

bool IsLauncher(HANDLE process)
{
    char path[MAX_PATH] = {};
    DWORD size = sizeof path;
    if (!QueryFullProcessImageNameA(process, 0, path, &size))
        return false;
    const std::string program(path, size);
    const std::string name = program.substr(program.find_last_of('\\') + 1);
    return lstrcmpiA(name.c_str(), "KESTRO.EXE") == 0;
}

}  // namespace

bool FreezeLauncher(unsigned long processId)
{
    const Handle process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId));
    if (!process.Get() || !IsLauncher(process.Get()))
        return false;
    const Handle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0));
    if (!snapshot.Get())
        return false;
    THREADENTRY32 entry = {};
    entry.dwSize = sizeof entry;
    bool frozen = false;
    for (BOOL more = Thread32First(snapshot.Get(), &entry); more;
         more = Thread32Next(snapshot.Get(), &entry)) {
        if (entry.th32OwnerProcessID != processId)
            continue;
        const Handle thread(OpenThread(THREAD_SUSPEND_RESUME, FALSE, entry.th32ThreadID));
        if (thread.Get() && SuspendThread(thread.Get()) != static_cast<DWORD>(-1))
            frozen = true;
    }
    return frozen;
}

bool KillLauncher(unsigned long processId, const std::function<void()>& beforeKill)
{
    const Handle process(
        OpenProcess(PROCESS_TERMINATE | PROCESS_QUERY_LIMITED_INFORMATION | SYNCHRONIZE, FALSE, processId));
    if (!process.Get() || !IsLauncher(process.Get()))
        return false;
    if (WaitForSingleObject(process.Get(), 0) == WAIT_OBJECT_0)
        return false;
    beforeKill();
    if (!TerminateProcess(process.Get(), 9))
        return false;
    WaitForSingleObject(process.Get(), 10000);
    return true;
}

bool WaitForLauncherEnd(unsigned long processId, unsigned long timeoutMs)
{
    const Handle process(OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId));
    if (!process.Get() || !IsLauncher(process.Get()))
        return true;
    return WaitForSingleObject(process.Get(), timeoutMs) == WAIT_OBJECT_0;
}
