#include "launcher_process.h"

#include <windows.h>
#include <tlhelp32.h>

#include <string>

#include "win32_shared/kernel_handles_win32.h"

namespace {

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
    const KernelHandle process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId));
    if (!process || !IsLauncher(process.Get()))
        return false;
    const KernelHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0));
    if (!snapshot)
        return false;
    THREADENTRY32 entry = {};
    entry.dwSize = sizeof entry;
    bool frozen = false;
    for (BOOL more = Thread32First(snapshot.Get(), &entry); more;
         more = Thread32Next(snapshot.Get(), &entry)) {
        if (entry.th32OwnerProcessID != processId)
            continue;
        const KernelHandle thread(OpenThread(THREAD_SUSPEND_RESUME, FALSE, entry.th32ThreadID));
        if (thread && SuspendThread(thread.Get()) != static_cast<DWORD>(-1))
            frozen = true;
    }
    return frozen;
}

bool KillLauncher(unsigned long processId, const std::function<void()>& beforeKill)
{
    const KernelHandle process(
        OpenProcess(PROCESS_TERMINATE | PROCESS_QUERY_LIMITED_INFORMATION | SYNCHRONIZE, FALSE, processId));
    if (!process || !IsLauncher(process.Get()))
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
    const KernelHandle process(OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId));
    if (!process || !IsLauncher(process.Get()))
        return true;
    return WaitForSingleObject(process.Get(), timeoutMs) == WAIT_OBJECT_0;
}
