#include "notice_closer.h"

#include <algorithm>

#include "remote_controls.h"

namespace {

const int kBoxTextId = 0xFFFF;
const DWORD kPollMs = 20;

}  // namespace

NoticeCloser::NoticeCloser(DWORD processId) : m_processId(processId)
{
    m_thread = std::thread([this] { Run(); });
}

NoticeCloser::~NoticeCloser()
{
    m_stop = true;
    m_thread.join();
}

std::vector<std::string> NoticeCloser::Take()
{
    std::lock_guard<std::mutex> hold(m_lock);
    std::vector<std::string> seen;
    seen.swap(m_seen);
    return seen;
}

void NoticeCloser::Run()
{
    while (!m_stop) {
        EnumWindows(Visit, reinterpret_cast<LPARAM>(this));
        m_answered.erase(std::remove_if(m_answered.begin(), m_answered.end(),
                                        [](HWND box) { return !IsWindow(box); }),
                         m_answered.end());
        Sleep(kPollMs);
    }
}

BOOL CALLBACK NoticeCloser::Visit(HWND window, LPARAM param)
{
    try {
        reinterpret_cast<NoticeCloser*>(param)->Answer(window);
    } catch (...) {
        // Nothing may leave a callback; the box is looked at again next round.
    }
    return TRUE;
}

void NoticeCloser::Answer(HWND window)
{
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    const HWND text = GetDlgItem(window, kBoxTextId);
    if (owner != m_processId || !text || !IsWindowVisible(window) ||
        remote::ClassName(window) != "#32770")
        return;
    if (std::find(m_answered.begin(), m_answered.end(), window) != m_answered.end())
        return;
    // Read and kept before the box is told to close: once it has closed,
    // the click that opened it returns and the driver takes what was seen.
    const std::string seen = "\"" + remote::Text(window) + "\": \"" + remote::Text(text) + "\"";
    {
        std::lock_guard<std::mutex> hold(m_lock);
        m_seen.push_back(seen);
    }
    m_answered.push_back(window);
    PostMessageW(window, WM_COMMAND, IDOK, 0);
}
