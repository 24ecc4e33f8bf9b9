#include "warning_boxes.h"

#include <utility>

namespace {

// Class of dialog boxes, message boxes included.
const char kDialogClass[] = "#32770";
// Id of the static control that holds a message box's text.
const int kMessageTextId = 0xFFFF;

thread_local WarningBoxAnswerer* tAnswerer = nullptr;

std::string WindowText(HWND window)
{
    std::string text(static_cast<size_t>(GetWindowTextLengthA(window)) + 1, '\0');
    text.resize(static_cast<size_t>(GetWindowTextA(window, &text[0], static_cast<int>(text.size()))));
    return text;
}

}  // namespace

WarningBoxAnswerer::WarningBoxAnswerer(Listener listener) : m_listener(std::move(listener))
{
    if (tAnswerer)
        return;
    m_hook = SetWindowsHookExA(WH_CALLWNDPROCRET, AfterWindowProcedure, nullptr,
                               GetCurrentThreadId());
    if (m_hook)
        tAnswerer = this;
}

WarningBoxAnswerer::~WarningBoxAnswerer()
{
    if (!m_hook)
        return;
    UnhookWindowsHookEx(m_hook);
    tAnswerer = nullptr;
}

std::vector<WarningBox> WarningBoxAnswerer::Take()
{
    std::vector<WarningBox> answered;
    answered.swap(m_answered);
    return answered;
}

// Runs inside the system's message dispatch: nothing may be thrown back
// through it.
LRESULT CALLBACK WarningBoxAnswerer::AfterWindowProcedure(int code, WPARAM wParam,
                                                         LPARAM lParam) noexcept
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

void WarningBoxAnswerer::Answer(HWND box)
{
    char className[64] = {};
    GetClassNameA(box, className, sizeof className);
    const HWND textControl = GetDlgItem(box, kMessageTextId);
    if (lstrcmpA(className, kDialogClass) != 0 || !textControl)
        return;  // some other dialog
    WarningBox answered = {WindowText(box), WindowText(textControl)};
    if (m_listener)
        m_listener(answered);
    else
        m_answered.push_back(std::move(answered));
    // Taken by the box's own modal loop once it runs.
    PostMessageA(box, WM_COMMAND, IDOK, 0);
}
