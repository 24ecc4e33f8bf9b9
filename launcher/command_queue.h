// What the window hands to the printing thread, in the order it arrived.
#pragma once
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>

struct LauncherCommand {
    enum Kind { PrintGroup, NoJobLeft, End } kind = End;
    uint32_t jobId = 0;
    uint32_t firstPage = 0;
};

class CommandQueue {
public:
    void Push(const LauncherCommand& command);
    // Waits for the next command.
    LauncherCommand Pop();

private:
    std::mutex m_lock;
    std::condition_variable m_ready;
    std::deque<LauncherCommand> m_commands;
};
