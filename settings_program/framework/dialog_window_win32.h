// What every dialog of the program shares: the window it is bound to and
// the one path each message takes to its handlers. Modal dialogs from a
// template and the print-setup dialog both route through RouteMessage,
// which catches every error so nothing unwinds through system frames.
#pragma once
#include <windows.h>

class CDialogWindow {
public:
    CDialogWindow(const CDialogWindow&) = delete;
    CDialogWindow& operator=(const CDialogWindow&) = delete;

    HWND GetSafeHwnd() const { return m_hWnd; }
    HWND GetDlgItem(int id) const { return ::GetDlgItem(m_hWnd, id); }

protected:
    CDialogWindow() = default;
    virtual ~CDialogWindow() = default;

    // Binds control objects to the dialog's children; called first on
    // WM_INITDIALOG.
    virtual void BindControls() {}
    // Returns TRUE to let the system set the focus to the default control.
    virtual BOOL OnInitDialog() { return TRUE; }
    virtual void OnOK() = 0;
    virtual void OnCancel() = 0;
    // A WM_COMMAND other than IDOK and IDCANCEL; true when handled.
    virtual bool OnCommand(WORD id, WORD code, HWND control);
    // Any other message; true when handled, with the result in result.
    virtual bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result);

    // Called by a handler that wants the system's own processing of the
    // message it is handling to run after it.
    void Default() { m_wantsDefault = true; }

    // Ends the dialog with result, as the dialog's kind requires.
    virtual void EndWith(INT_PTR result) { EndDialog(m_hWnd, result); }

    // Routes one message to self's handlers. The return value is what a
    // dialog or hook procedure returns: TRUE handled, FALSE leave it to
    // the system. attach is the object on WM_INITDIALOG, else null.
    static INT_PTR RouteMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                CDialogWindow* attach);

private:
    INT_PTR Dispatch(UINT message, WPARAM wParam, LPARAM lParam);
    void ReportFailure(UINT message, WPARAM wParam, LPARAM lParam, unsigned genericTextId);

    HWND m_hWnd = nullptr;
    bool m_wantsDefault = false;
};
