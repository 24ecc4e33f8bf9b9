#include "command_queue.h"

void CommandQueue::Push(const LauncherCommand& command)
{
    {
        std::lock_guard<std::mutex> hold(m_lock);
        m_commands.push_back(command);
    }
    m_ready.notify_one();
}

LauncherCommand CommandQueue::Pop()
{
    std::unique_lock<std::mutex> hold(m_lock);
    m_ready.wait(hold, [this] { return !m_commands.empty(); });
    const LauncherCommand command = m_commands.front();
    m_commands.pop_front();
    return command;
}
