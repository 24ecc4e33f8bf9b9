// The library shows a modal warning box when a job cannot be printed. With
// nobody at the screen (a virtual display) the host would wait for ever, so
// this answerer watches the message boxes of the thread that creates it
// (the thread that calls the library), notes caption and text of each and
// answers it with OK. The host then reports what the box said. It must be
// destroyed on that thread.
//
// It works through a hook on that thread, which sees each dialog box right
// after its WM_INITDIALOG; a second thread polling for windows could
// deadlock in Wine with the library's DLLs being loaded.
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

struct WarningBox {
    std::string caption;
    std::string text;
};

class WarningBoxAnswerer {
public:
    // Called with each box as it is answered.
    using Listener = std::function<void(const WarningBox& box)>;

    // One answerer at a time on a thread; without a hook (Hooked() false)
    // boxes stay open. The boxes answered go to `listener` when there is
    // one, else they are kept for Take().
    explicit WarningBoxAnswerer(Listener listener = nullptr);
    ~WarningBoxAnswerer();
    WarningBoxAnswerer(const WarningBoxAnswerer&) = delete;
    WarningBoxAnswerer& operator=(const WarningBoxAnswerer&) = delete;

    bool Hooked() const { return m_hook != nullptr; }
    // The boxes answered since the last call.
    std::vector<WarningBox> Take();

private:
    static LRESULT CALLBACK AfterWindowProcedure(int code, WPARAM wParam, LPARAM lParam) noexcept;
    void Answer(HWND box);

    Listener m_listener;
    HHOOK m_hook = nullptr;
    std::vector<WarningBox> m_answered;
};
