#include "process_memory.h"

#include <psapi.h>

#include "private_memory_win32.h"

namespace {
const DWORD kSampleMs = 2;
}

uint64_t PrivateBytesOf(HANDLE process)
{
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof counters;
    if (GetProcessMemoryInfo(process, &counters, sizeof counters) && counters.PagefileUsage > 0)
        return counters.PagefileUsage;
    return CommittedPrivateBytes(process);
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
