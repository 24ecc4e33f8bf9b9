// The library shows a modal warning box when a job cannot be printed. With
// nobody at the screen (a virtual display) the host would wait for ever, so
// this answerer watches the message boxes of the thread that creates it
// (the thread that calls the library), notes caption and text of each and
// answers it with OK. The host then reports what the box said.
//
// It works through a hook on that thread, which sees each dialog box right
// after its WM_INITDIALOG; a second thread polling for windows could
// deadlock in Wine with the library's DLLs being loaded.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

struct WarningBox {
    std::string caption;
    std::string text;
};

class WarningBoxAnswerer {
public:
    // One answerer at a time; without a hook (Hooked() false) boxes stay open.
    WarningBoxAnswerer();
    ~WarningBoxAnswerer();
    WarningBoxAnswerer(const WarningBoxAnswerer&) = delete;
    WarningBoxAnswerer& operator=(const WarningBoxAnswerer&) = delete;

    bool Hooked() const { return m_hook != nullptr; }
    // The boxes answered since the last call.
    std::vector<WarningBox> Take();

private:
    static LRESULT CALLBACK AfterWindowProcedure(int code, WPARAM wParam, LPARAM lParam) noexcept;
    void Answer(HWND box);

    HHOOK m_hook = nullptr;
    std::vector<WarningBox> m_answered;
};
