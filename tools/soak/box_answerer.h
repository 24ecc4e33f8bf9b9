// Answers the library's warning boxes on the thread that creates it, as a
// user would press OK, and counts each in the report by caption and text.
// A hook on the calling thread sees the box right after WM_INITDIALOG (a
// thread polling for windows could deadlock in Wine while the library's
// DLLs load). One per host thread; it must be destroyed on that thread.
#pragma once
#include <windows.h>

#include "soak_report.h"

class BoxAnswerer {
public:
    explicit BoxAnswerer(SoakReport& report);
    ~BoxAnswerer();
    BoxAnswerer(const BoxAnswerer&) = delete;
    BoxAnswerer& operator=(const BoxAnswerer&) = delete;

    bool Hooked() const { return m_hook != nullptr; }

private:
    static LRESULT CALLBACK AfterWindowProcedure(int code, WPARAM wParam, LPARAM lParam) noexcept;
    void Answer(HWND box);

    SoakReport& m_report;
    HHOOK m_hook = nullptr;
};
