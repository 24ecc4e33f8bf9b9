// Watches for message boxes (dialog class "#32770") on a thread of its own,
// records caption, text and icon of each, and closes it with OK.
#pragma once
#include <windows.h>

#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "message_box_icon.h"

struct SeenBox {
    std::string caption;
    std::string text;
    BoxIcon icon = BoxIcon::Unknown;
};

// The message boxes of a process that are open now, read and left open (the
// icon is not read).
std::vector<SeenBox> OpenBoxes(DWORD processId);

class MessageBoxWatcher {
public:
    // processId 0 watches boxes of every process.
    explicit MessageBoxWatcher(DWORD processId = GetCurrentProcessId());
    ~MessageBoxWatcher();
    MessageBoxWatcher(const MessageBoxWatcher&) = delete;
    MessageBoxWatcher& operator=(const MessageBoxWatcher&) = delete;

    // Boxes seen and closed so far; clears the record.
    std::vector<SeenBox> Take();

private:
    void Run();
    static BOOL CALLBACK VisitWindow(HWND window, LPARAM self);

    DWORD m_processId;
    std::atomic<bool> m_stop{false};
    std::mutex m_lock;
    std::vector<SeenBox> m_seen;
    std::vector<HWND> m_closed;
    std::thread m_thread;
};
