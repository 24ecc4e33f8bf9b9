#include "warning_boxes.h"

namespace {

// Class of dialog boxes, message boxes included.
const char kDialogClass[] = "#32770";
// Id of the static control that holds a message box's text.
const int kMessageTextId = 0xFFFF;

WarningBoxAnswerer* gAnswerer = nullptr;

std::string WindowText(HWND window)
{
    char text[1024] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

}  // namespace

WarningBoxAnswerer::WarningBoxAnswerer()
{
    if (gAnswerer)
        return;
    m_hook = SetWindowsHookExA(WH_CALLWNDPROCRET, AfterWindowProcedure, nullptr,
                               GetCurrentThreadId());
    if (m_hook)
        gAnswerer = this;
}

WarningBoxAnswerer::~WarningBoxAnswerer()
{
    if (!m_hook)
        return;
    UnhookWindowsHookEx(m_hook);
    gAnswerer = nullptr;
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
    if (code == HC_ACTION && gAnswerer) {
        const CWPRETSTRUCT* call = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
        if (call->message == WM_INITDIALOG) {
            try {
                gAnswerer->Answer(call->hwnd);
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
    m_answered.push_back({WindowText(box), WindowText(textControl)});
    // Taken by the box's own modal loop once it runs.
    PostMessageA(box, WM_COMMAND, IDOK, 0);
}
