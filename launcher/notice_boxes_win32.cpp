#include "notice_boxes_win32.h"

#include <windows.h>

#include <exception>

#include "launcher_log_win32.h"

namespace {

const size_t kMostWaiting = 64;

}  // namespace

void NoticeBoxes::Show(const std::string& text)
{
    // The printing thread calls this: whatever fails here must not stop it.
    try {
        {
            std::lock_guard<std::mutex> hold(m_lock);
            if (m_waiting.size() >= kMostWaiting) {
                LogLine("too many message boxes are waiting: this notice is in the log only");
                return;
            }
            m_waiting.push_back(text);
            if (!m_thread.joinable())
                m_thread = std::thread([this] { Run(); });
        }
        m_changed.notify_one();
    } catch (const std::exception& error) {
        LogLine(std::string("the message box cannot be shown (") + error.what() +
                "): this notice is in the log only");
    }
}

void NoticeBoxes::WaitUntilAnswered()
{
    bool open = false;
    {
        std::lock_guard<std::mutex> hold(m_lock);
        m_ending = true;
        open = m_showing || !m_waiting.empty();
    }
    m_changed.notify_one();
    if (open)
        LogLine("ending once the open message box is answered");
    if (m_thread.joinable())
        m_thread.join();
}

void NoticeBoxes::Run()
{
    try {
        for (;;) {
            std::string text;
            {
                std::unique_lock<std::mutex> hold(m_lock);
                m_changed.wait(hold, [this] { return m_ending || !m_waiting.empty(); });
                if (m_waiting.empty())
                    return;
                text = m_waiting.front();
                m_waiting.pop_front();
                m_showing = true;
            }
            LogLine("message box shown: " + m_caption);
            if (!MessageBoxA(nullptr, text.c_str(), m_caption.c_str(),
                             MB_OK | MB_ICONWARNING | MB_SETFOREGROUND | MB_TOPMOST))
                LogFailure("MessageBox");
            else
                LogLine("message box answered");
            std::lock_guard<std::mutex> hold(m_lock);
            m_showing = false;
        }
    } catch (...) {
        LogLine("the message box thread stopped by an unexpected error");
    }
}
