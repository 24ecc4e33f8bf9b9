// A child control of a dialog, bound by its identifier. Thin forwards to
// the control's messages; the dialog owns the window, not this object.
#pragma once
#include <windows.h>

#include <string>

class CControl {
public:
    // Binds to the child id of dialog; a missing control throws.
    void Bind(HWND dialog, int id);
    HWND GetSafeHwnd() const { return m_hWnd; }
    int Id() const { return m_id; }

    LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const
    {
        return SendMessageA(m_hWnd, message, wParam, lParam);
    }
    void SetText(const std::string& text) const { SetWindowTextA(m_hWnd, text.c_str()); }
    void SetFont(HFONT font) const { Send(WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE); }
    void Show(bool visible) const { ShowWindow(m_hWnd, visible ? SW_SHOW : SW_HIDE); }
    void Enable(bool enabled) const { EnableWindow(m_hWnd, enabled ? TRUE : FALSE); }

    // Buttons: BST_CHECKED or BST_UNCHECKED.
    bool IsChecked() const { return Send(BM_GETCHECK) == BST_CHECKED; }
    void SetCheck(bool checked) const { Send(BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED); }

    // Combo boxes: list position, -1 when nothing is selected.
    int GetCurSel() const { return static_cast<int>(Send(CB_GETCURSEL)); }
    void SetCurSel(int position) const { Send(CB_SETCURSEL, static_cast<WPARAM>(position)); }
    void AddString(const std::string& text) const
    {
        Send(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    }

private:
    HWND m_hWnd = nullptr;
    int m_id = 0;
};
