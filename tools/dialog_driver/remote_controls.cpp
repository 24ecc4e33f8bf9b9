#include "remote_controls.h"

namespace remote {

namespace {

std::string Narrow(const std::wstring& text)
{
    if (text.empty())
        return std::string();
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()),
                                         nullptr, 0, nullptr, nullptr);
    std::string narrow(size > 0 ? size : 0, '\0');
    if (size > 0)
        WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), &narrow[0],
                            size, nullptr, nullptr);
    return narrow;
}

bool Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    DWORD_PTR answer = 0;
    if (!SendMessageTimeoutW(window, message, wParam, lParam, SMTO_NORMAL, kAnswerMs, &answer))
        return false;
    result = static_cast<LRESULT>(answer);
    return true;
}

LRESULT Ask(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0)
{
    LRESULT result = 0;
    return Send(window, message, wParam, lParam, result) ? result : 0;
}

std::string ItemText(HWND combo, LRESULT item)
{
    const LRESULT length = Ask(combo, CB_GETLBTEXTLEN, item);
    if (length <= 0)
        return std::string();
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    const LRESULT copied = Ask(combo, CB_GETLBTEXT, item, reinterpret_cast<LPARAM>(&text[0]));
    text.resize(copied > 0 && copied <= length ? static_cast<size_t>(copied) : 0);
    return Narrow(text);
}

bool IsCheckable(HWND button)
{
    const LONG type = GetWindowLongW(button, GWL_STYLE) & BS_TYPEMASK;
    return type == BS_CHECKBOX || type == BS_AUTOCHECKBOX || type == BS_3STATE ||
           type == BS_AUTO3STATE || type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON;
}

std::string WithoutMnemonics(const std::string& text)
{
    std::string plain;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '&' && i + 1 < text.size())
            ++i;
        plain += text[i];
    }
    if (!plain.empty() && plain.back() == ':')
        plain.pop_back();
    return plain;
}

HWND Control(HWND dialog, int id, std::string& error)
{
    const HWND control = GetDlgItem(dialog, id);
    if (!control)
        error = "the dialog has no control " + std::to_string(id);
    return control;
}

}  // namespace

std::string ClassName(HWND window)
{
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return Narrow(name);
}

std::string Text(HWND window)
{
    const LRESULT length = Ask(window, WM_GETTEXTLENGTH);
    if (length <= 0)
        return std::string();
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    const LRESULT copied = Ask(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(&text[0]));
    text.resize(copied > 0 && copied <= length ? static_cast<size_t>(copied) : 0);
    return Narrow(text);
}

std::string Label(HWND dialog, int id)
{
    const HWND control = GetDlgItem(dialog, id);
    if (!control)
        return "control " + std::to_string(id);
    if (ClassName(control) == "Button")
        return WithoutMnemonics(Text(control));
    const HWND before = GetWindow(control, GW_HWNDPREV);
    if (before && ClassName(before) == "Static")
        return WithoutMnemonics(Text(before));
    return "control " + std::to_string(id);
}

std::string State(HWND dialog, int id)
{
    const HWND control = GetDlgItem(dialog, id);
    if (!control)
        return "(no such control)";
    std::string state;
    const std::string type = ClassName(control);
    if (type == "ComboBox") {
        const LRESULT selected = Ask(control, CB_GETCURSEL);
        state = selected == CB_ERR ? "(nothing chosen)" : ItemText(control, selected);
    } else if (type == "Button" && IsCheckable(control)) {
        state = Ask(control, BM_GETCHECK) == BST_CHECKED ? "checked" : "not checked";
    } else {
        state = Text(control);
    }
    return IsWindowEnabled(control) ? state : state + " (greyed)";
}

bool Choose(HWND dialog, int id, const std::string& item, std::string& error)
{
    const HWND combo = Control(dialog, id, error);
    if (!combo)
        return false;
    const LRESULT count = Ask(combo, CB_GETCOUNT);
    for (LRESULT index = 0; index < count; ++index) {
        if (ItemText(combo, index) != item)
            continue;
        LRESULT result = 0;
        if (!Send(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0, result) ||
            !Send(dialog, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE),
                  reinterpret_cast<LPARAM>(combo), result)) {
            error = "the dialog did not answer within " + std::to_string(kAnswerMs) + " ms";
            return false;
        }
        return true;
    }
    error = "the list \"" + Label(dialog, id) + "\" has no item \"" + item + "\"";
    return false;
}

bool Click(HWND dialog, int id, std::string& error)
{
    const HWND button = Control(dialog, id, error);
    if (!button)
        return false;
    // Sent, not posted: it returns once the dialog's handler has returned,
    // after any box it showed was closed (see NoticeCloser).
    LRESULT result = 0;
    // A click that closed the dialog (OK) may end its program before the
    // answer comes back.
    if (!Send(button, BM_CLICK, 0, 0, result) && IsWindow(button)) {
        error = "the dialog did not handle the click within " + std::to_string(kAnswerMs) + " ms";
        return false;
    }
    return true;
}

bool SetChecked(HWND dialog, int id, bool checked, std::string& error)
{
    const HWND button = Control(dialog, id, error);
    if (!button)
        return false;
    const bool isChecked = Ask(button, BM_GETCHECK) == BST_CHECKED;
    return isChecked == checked || Click(dialog, id, error);
}

}  // namespace remote
