// A hidden window on a thread of its own that takes posted messages and
// counts them: the receiving end of the one message the bare page work
// posts, so that posting costs what posting to another program's window does.
#pragma once
#include <windows.h>

#include <atomic>
#include <thread>

class MessageReceiver {
public:
    MessageReceiver();
    ~MessageReceiver();
    MessageReceiver(const MessageReceiver&) = delete;
    MessageReceiver& operator=(const MessageReceiver&) = delete;

    // The window to post to; none when it could not be created.
    HWND Window() const { return m_window; }
    long Received() const { return m_received; }

private:
    void Run() noexcept;
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam,
                                      LPARAM lParam) noexcept;

    std::atomic<HWND> m_window{nullptr};
    std::atomic<bool> m_ready{false};
    std::atomic<long> m_received{0};
    std::thread m_thread;
};
