#include "box_answerer.h"

#include <string>

namespace {

const char kDialogClass[] = "#32770";
const int kMessageTextId = 0xFFFF;

thread_local BoxAnswerer* tAnswerer = nullptr;

std::string WindowText(HWND window)
{
    std::string text(static_cast<size_t>(GetWindowTextLengthA(window)) + 1, '\0');
    text.resize(static_cast<size_t>(GetWindowTextA(window, &text[0], static_cast<int>(text.size()))));
    return text;
}

}  // namespace

BoxAnswerer::BoxAnswerer(SoakReport& report) : m_report(report)
{
    m_hook = SetWindowsHookExA(WH_CALLWNDPROCRET, AfterWindowProcedure, nullptr, GetCurrentThreadId());
    if (m_hook)
        tAnswerer = this;
}

BoxAnswerer::~BoxAnswerer()
{
    if (m_hook)
        UnhookWindowsHookEx(m_hook);
    tAnswerer = nullptr;
}

// Runs inside the system's message dispatch: nothing may be thrown through it.
LRESULT CALLBACK BoxAnswerer::AfterWindowProcedure(int code, WPARAM wParam, LPARAM lParam) noexcept
{
    if (code == HC_ACTION && tAnswerer) {
        const CWPRETSTRUCT* call = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
        if (call->message == WM_INITDIALOG) {
            try {
                tAnswerer->Answer(call->hwnd);
            } catch (...) {
            }
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

void BoxAnswerer::Answer(HWND box)
{
    char className[64] = {};
    GetClassNameA(box, className, sizeof className);
    const HWND textControl = GetDlgItem(box, kMessageTextId);
    if (lstrcmpA(className, kDialogClass) != 0 || !textControl)
        return;
    m_report.Count("box answered: \"" + WindowText(box) + "\": \"" + WindowText(textControl) + "\"");
    PostMessageA(box, WM_COMMAND, IDOK, 0);
}
