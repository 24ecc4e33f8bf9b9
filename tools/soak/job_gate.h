// Lets the fault thread find a moment with no job open: host threads pass
// the gate for every job they start and leave it when the job has ended or
// been aborted; Quiesce waits until none is open and holds new jobs back
// until Resume. A thread that already has a job open only tries to pass,
// so that it finishes its jobs instead of waiting with them open.
#pragma once
#include <condition_variable>
#include <cstddef>
#include <mutex>

class JobGate {
public:
    void Enter();
    bool TryEnter();
    void Leave();
    void Quiesce();
    void Resume();

private:
    std::mutex m_lock;
    std::condition_variable m_changed;
    size_t m_open = 0;
    bool m_closed = false;
};
