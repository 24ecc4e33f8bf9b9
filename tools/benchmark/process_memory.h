// The private memory of another process, and its peak while a piece of work
// runs. Wine 8 answers GetProcessMemoryInfo with a PrivateUsage of 0 and a
// peak that is only the current figure, but with a PagefileUsage that is
// the process's anonymous memory (resident or swapped), which is what
// PagefileUsage (the commit charge) counts on Windows too. It is read
// without stopping the process, so it can be sampled every few
// milliseconds on a thread of its own; where it reads 0 the process's
// address space is walked instead.
#pragma once
#include <windows.h>

#include <atomic>
#include <cstdint>
#include <thread>

// Bytes of the process's private memory; 0 when it cannot be read.
uint64_t PrivateBytesOf(HANDLE process);

// Samples a process's private memory every few milliseconds from its
// construction to Stop(), keeping the highest figure.
class PeakMemorySampler {
public:
    explicit PeakMemorySampler(HANDLE process);
    ~PeakMemorySampler() { Stop(); }
    PeakMemorySampler(const PeakMemorySampler&) = delete;
    PeakMemorySampler& operator=(const PeakMemorySampler&) = delete;

    // Stops sampling and returns the peak in bytes.
    uint64_t Stop();

private:
    HANDLE m_process;  // the caller's, open until the sampler has stopped
    std::atomic<bool> m_stop{false};
    std::atomic<uint64_t> m_peak{0};
    std::thread m_thread;
};
