#include "process_memory.h"

#include <psapi.h>

namespace {

const DWORD kSampleMs = 2;

// The committed private regions of the process's address space; under Wine
// each query stops the process for a moment.
uint64_t WalkedPrivateBytes(HANDLE process)
{
    SYSTEM_INFO system;
    GetSystemInfo(&system);
    const char* address = static_cast<const char*>(system.lpMinimumApplicationAddress);
    const char* end = static_cast<const char*>(system.lpMaximumApplicationAddress);
    uint64_t total = 0;
    MEMORY_BASIC_INFORMATION region;
    while (address < end) {
        if (!VirtualQueryEx(process, address, &region, sizeof region))
            return total;
        if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE)
            total += region.RegionSize;
        const char* next = static_cast<const char*>(region.BaseAddress) + region.RegionSize;
        if (next <= address)
            break;
        address = next;
    }
    return total;
}

}  // namespace

uint64_t PrivateBytesOf(HANDLE process)
{
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof counters;
    if (GetProcessMemoryInfo(process, &counters, sizeof counters) && counters.PagefileUsage > 0)
        return counters.PagefileUsage;
    return WalkedPrivateBytes(process);
}

PeakMemorySampler::PeakMemorySampler(HANDLE process) : m_process(process)
{
    m_peak = PrivateBytesOf(process);
    m_thread = std::thread([this] {
        while (!m_stop) {
            const uint64_t now = PrivateBytesOf(m_process);
            if (now > m_peak)
                m_peak = now;
            Sleep(kSampleMs);
        }
    });
}

uint64_t PeakMemorySampler::Stop()
{
    m_stop = true;
    if (m_thread.joinable())
        m_thread.join();
    const uint64_t now = PrivateBytesOf(m_process);
    if (now > m_peak)
        m_peak = now;
    return m_peak;
}
