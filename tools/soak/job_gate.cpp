#include "job_gate.h"

void JobGate::Enter()
{
    std::unique_lock<std::mutex> hold(m_lock);
    m_changed.wait(hold, [this] { return !m_closed; });
    ++m_open;
}

bool JobGate::TryEnter()
{
    const std::lock_guard<std::mutex> hold(m_lock);
    if (m_closed)
        return false;
    ++m_open;
    return true;
}

void JobGate::Leave()
{
    {
        const std::lock_guard<std::mutex> hold(m_lock);
        --m_open;
    }
    m_changed.notify_all();
}

void JobGate::Quiesce()
{
    std::unique_lock<std::mutex> hold(m_lock);
    m_closed = true;
    m_changed.wait(hold, [this] { return m_open == 0; });
}

void JobGate::Resume()
{
    {
        const std::lock_guard<std::mutex> hold(m_lock);
        m_closed = false;
    }
    m_changed.notify_all();
}
