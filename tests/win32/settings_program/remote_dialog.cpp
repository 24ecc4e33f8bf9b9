#include "remote_dialog.h"

#include <gtest/gtest.h>

#include "resources/dialog_ids.h"

namespace {

const DWORD kPollMs = 20;
const UINT kMessageWaitMs = 5000;

std::string Narrow(const std::wstring& text)
{
    if (text.empty())
        return std::string();
    const int size = WideCharToMultiByte(CP_ACP, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string narrow(size > 0 ? size : 1, '\0');
    WideCharToMultiByte(CP_ACP, 0, text.c_str(), -1, &narrow[0], size, nullptr, nullptr);
    narrow.resize(narrow.find('\0'));
    return narrow;
}

// Sends to another process's window; 0 when it does not answer in time.
// The W functions: Wine copies the A forms of some texts as one character.
LRESULT Ask(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0)
{
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(window, message, wParam, lParam, SMTO_NORMAL, kMessageWaitMs, &result))
        return 0;
    return static_cast<LRESULT>(result);
}

struct WindowSearch {
    DWORD process;
    std::vector<HWND> found;
};

BOOL CALLBACK VisitTopLevel(HWND window, LPARAM param)
{
    WindowSearch* search = reinterpret_cast<WindowSearch*>(param);
    char className[16] = {};
    GetClassNameA(window, className, sizeof className);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process == search->process && lstrcmpA(className, "#32770") == 0 &&
        IsWindowVisible(window))
        search->found.push_back(window);
    return TRUE;
}

}  // namespace

bool WaitUntil(const std::function<bool()>& done, DWORD timeoutMs)
{
    const DWORD start = GetTickCount();
    for (;;) {
        if (done())
            return true;
        if (GetTickCount() - start > timeoutMs)
            return false;
        Sleep(kPollMs);
    }
}

std::vector<HWND> VisibleDialogs(DWORD process)
{
    WindowSearch search = {process, {}};
    EnumWindows(VisitTopLevel, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

namespace dialog {

std::string Text(HWND window)
{
    const LRESULT length = Ask(window, WM_GETTEXTLENGTH);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    Ask(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(&text[0]));
    return Narrow(text);
}

std::string Text(HWND dialog, int id)
{
    return Text(GetDlgItem(dialog, id));
}

std::vector<std::string> ComboItems(HWND dialog, int id)
{
    const HWND combo = GetDlgItem(dialog, id);
    std::vector<std::string> items;
    const LRESULT count = Ask(combo, CB_GETCOUNT);
    for (LRESULT item = 0; item < count; ++item) {
        const LRESULT length = Ask(combo, CB_GETLBTEXTLEN, item);
        std::wstring text(static_cast<size_t>(length > 0 ? length : 0) + 1, L'\0');
        Ask(combo, CB_GETLBTEXT, item, reinterpret_cast<LPARAM>(&text[0]));
        items.push_back(Narrow(text));
    }
    return items;
}

std::string ComboSelection(HWND dialog, int id)
{
    const LRESULT selected = Ask(GetDlgItem(dialog, id), CB_GETCURSEL);
    const std::vector<std::string> items = ComboItems(dialog, id);
    return selected >= 0 && static_cast<size_t>(selected) < items.size() ? items[selected]
                                                                          : std::string();
}

bool IsChecked(HWND dialog, int id)
{
    return Ask(GetDlgItem(dialog, id), BM_GETCHECK) == BST_CHECKED;
}

RECT ControlRect(HWND dialog, int id)
{
    RECT rect = {};
    GetWindowRect(GetDlgItem(dialog, id), &rect);
    MapWindowPoints(HWND_DESKTOP, dialog, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

std::string RectText(const RECT& rect)
{
    return "(" + std::to_string(rect.left) + "," + std::to_string(rect.top) + ")-(" +
           std::to_string(rect.right) + "," + std::to_string(rect.bottom) + ")";
}

std::string WindowRectText(HWND window)
{
    RECT rect = {};
    GetWindowRect(window, &rect);
    return RectText(rect);
}

void Click(HWND dialog, int id)
{
    PostMessageW(GetDlgItem(dialog, id), BM_CLICK, 0, 0);
}

void Choose(HWND dialog, int comboId, const std::string& item)
{
    const std::vector<std::string> items = ComboItems(dialog, comboId);
    for (size_t index = 0; index < items.size(); ++index) {
        if (items[index] != item)
            continue;
        const HWND combo = GetDlgItem(dialog, comboId);
        Ask(combo, CB_SETCURSEL, index);
        PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(comboId, CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(combo));
        return;
    }
    ADD_FAILURE() << "no item \"" << item << "\" in list " << comboId;
}

}  // namespace dialog

bool ChoosePrinterAndOrientation(HWND dialog, const char* printer, bool landscape)
{
    // Posted in this order, handled in this order: a new printer brings its
    // own orientation, then the click changes it.
    if (printer)
        dialog::Choose(dialog, IDC_PRINTER_LIST, printer);
    const int orientation = landscape ? IDC_LANDSCAPE : IDC_PORTRAIT;
    dialog::Click(dialog, orientation);
    return WaitUntil([&] {
        return (!printer || dialog::ComboSelection(dialog, IDC_PRINTER_LIST) == printer) &&
               dialog::IsChecked(dialog, orientation);
    });
}
