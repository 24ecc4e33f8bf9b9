// The printing thread. It takes the window's commands in arrival order, so
// groups print in the order they were handed over while the window goes on
// taking messages. After a printed group it deletes the group's page files
// and page list; when a job has ended, the job's settings file. A group that
// is not printed keeps its files (and its job keeps its settings file), and
// the user is told in a box; printing goes on once the box is closed.
#pragma once
#include <thread>

#include "command_queue.h"
#include "group_printer_win32.h"
#include "launcher_setup.h"

class PrintWorker {
public:
    PrintWorker(const LauncherSetup& setup, CommandQueue& queue) : m_setup(setup), m_queue(queue) {}
    ~PrintWorker() { Join(); }
    PrintWorker(const PrintWorker&) = delete;
    PrintWorker& operator=(const PrintWorker&) = delete;

    void Start();
    // Waits until the thread has done every command up to an End command.
    void Join();

private:
    void Run();
    // Prints a group and deletes its files, or shows why it was not printed.
    bool PrintAndCleanUp(GroupPrinter& printer, const LauncherCommand& command);

    const LauncherSetup& m_setup;
    CommandQueue& m_queue;
    std::thread m_thread;
};
