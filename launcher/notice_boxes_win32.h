// Message boxes that tell the user what was not printed, shown on a thread
// of their own one after the other, so the printing thread never waits for
// a user: later groups and jobs print while a box is open. At most 64 boxes
// wait to be shown; a notice beyond that stays in the launcher log only.
// The launcher ends only once every box was answered.
#pragma once
#include <condition_variable>
#include <deque>
#include <mutex>
#include <string>
#include <thread>

class NoticeBoxes {
public:
    explicit NoticeBoxes(const std::string& caption) : m_caption(caption) {}
    ~NoticeBoxes() { WaitUntilAnswered(); }
    NoticeBoxes(const NoticeBoxes&) = delete;
    NoticeBoxes& operator=(const NoticeBoxes&) = delete;

    // Queues a box with this text; returns at once.
    void Show(const std::string& text);

    // Lets the boxes queued so far be shown and answered, then ends the thread.
    void WaitUntilAnswered();

private:
    void Run();

    const std::string m_caption;
    std::mutex m_lock;
    std::condition_variable m_changed;
    std::deque<std::string> m_waiting;
    bool m_ending = false;
    bool m_showing = false;
    std::thread m_thread;
};
