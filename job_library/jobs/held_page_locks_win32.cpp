#include "held_page_locks_win32.h"

#include <windows.h>

#include <map>
#include <set>

#include "waiting_handoff_files.h"
#include "win32_shared/kernel_handles_win32.h"

namespace {

std::map<std::string, KernelHandle>& Locks()
{
    static std::map<std::string, KernelHandle> locks;
    return locks;
}

}  // namespace

void LockHeldPage(const std::string& path)
{
    try {
        KernelHandle file(CreateFileA(path.c_str(), GENERIC_READ,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
        if (file)
            Locks()[PathKey(path)] = std::move(file);  // a failed insert leaves `file` to close it
    } catch (...) {
        // Out of memory: the page is held without its lock.
    }
}

void UnlockPage(const std::string& path)
{
    try {
        Locks().erase(PathKey(path));
    } catch (...) {
    }
}

void UnlockPagesNoLongerHeld(const std::vector<std::string>& held)
{
    try {
        std::set<std::string> keys;
        for (const std::string& path : held)
            keys.insert(PathKey(path));
        auto& locks = Locks();
        for (auto it = locks.begin(); it != locks.end();)
            it = keys.count(it->first) ? std::next(it) : locks.erase(it);
    } catch (...) {
    }
}
