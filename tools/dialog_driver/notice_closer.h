// Closes the message boxes a program shows while it is driven: on a thread
// of its own it looks for a visible "#32770" of the process holding the
// static 0xFFFF (the box's text), keeps caption and text, and answers OK.
#pragma once
#include <windows.h>

#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

class NoticeCloser {
public:
    explicit NoticeCloser(DWORD processId);
    ~NoticeCloser();
    NoticeCloser(const NoticeCloser&) = delete;
    NoticeCloser& operator=(const NoticeCloser&) = delete;

    // "caption": "text" of each box closed since the last call.
    std::vector<std::string> Take();

private:
    void Run();
    static BOOL CALLBACK Visit(HWND window, LPARAM self);
    void Answer(HWND window);

    DWORD m_processId;
    std::atomic<bool> m_stop{false};
    std::mutex m_lock;
    std::vector<std::string> m_seen;
    std::vector<HWND> m_answered;  // told to close, may still be listed; the thread's own
    std::thread m_thread;
};
