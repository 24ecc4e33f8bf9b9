#include "private_memory_win32.h"

uint64_t CommittedPrivateBytes(HANDLE process)
{
    SYSTEM_INFO system;
    GetSystemInfo(&system);
    const char* address = static_cast<const char*>(system.lpMinimumApplicationAddress);
    const char* end = static_cast<const char*>(system.lpMaximumApplicationAddress);
    uint64_t total = 0;
    MEMORY_BASIC_INFORMATION region;
    while (address < end) {
        if (!VirtualQueryEx(process, address, &region, sizeof region)) {
            if (WaitForSingleObject(process, 0) == WAIT_OBJECT_0)
                break;  // the process has ended
            address += system.dwAllocationGranularity;  // a hole the system will not describe
            continue;
        }
        if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE)
            total += region.RegionSize;
        const char* next = static_cast<const char*>(region.BaseAddress) + region.RegionSize;
        if (next <= address)
            break;
        address = next;
    }
    return total;
}
