#include "launcher_process.h"

#include <windows.h>
#include <tlhelp32.h>

#include <string>

#include "installation.h"

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
    const OwnedHandle process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId));
    if (!process || !IsLauncher(process.get()))
        return false;
    const OwnedHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0));
    if (!snapshot)
        return false;
    THREADENTRY32 entry = {};
    entry.dwSize = sizeof entry;
    bool frozen = false;
    for (BOOL more = Thread32First(snapshot.get(), &entry); more;
         more = Thread32Next(snapshot.get(), &entry)) {
        if (entry.th32OwnerProcessID != processId)
            continue;
        const OwnedHandle thread(OpenThread(THREAD_SUSPEND_RESUME, FALSE, entry.th32ThreadID));
        if (thread && SuspendThread(thread.get()) != static_cast<DWORD>(-1))
            frozen = true;
    }
    return frozen;
}

bool KillLauncher(unsigned long processId, const std::function<void()>& beforeKill)
{
    const OwnedHandle process(
        OpenProcess(PROCESS_TERMINATE | PROCESS_QUERY_LIMITED_INFORMATION | SYNCHRONIZE, FALSE, processId));
    if (!process || !IsLauncher(process.get()))
        return false;
    if (WaitForSingleObject(process.get(), 0) == WAIT_OBJECT_0)
        return false;
    beforeKill();
    if (!TerminateProcess(process.get(), 9))
        return false;
    WaitForSingleObject(process.get(), 10000);
    return true;
}

bool WaitForLauncherEnd(unsigned long processId, unsigned long timeoutMs)
{
    const OwnedHandle process(OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId));
    if (!process || !IsLauncher(process.get()))
        return true;
    return WaitForSingleObject(process.get(), timeoutMs) == WAIT_OBJECT_0;
}
