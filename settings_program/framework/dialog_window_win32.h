// What every dialog of the program shares: the window it is bound to and
// the one path each message takes to its handlers. Modal dialogs from a
// template and the print-setup dialog both route through RouteMessage,
// which catches every error so nothing unwinds through system frames.
//
// How a message reaches a handler, for whoever writes one:
// - WM_INITDIALOG: BindControls, then OnInitDialog. An error thrown there
//   is shown with OK and the dialog closes as cancelled.
// - WM_COMMAND: IDOK goes to OnOK, IDCANCEL to OnCancel, any other id to
//   OnCommand. Every other message goes to OnMessage.
// - A handler that returns false, or calls Default(), leaves the message
//   to the system's own processing (for the print-setup dialog: the common
//   dialog's), which runs after the handler has returned.
// - Any other error a handler throws is shown and the message counts as
//   handled; the dialog stays open.
// - Call Default() last, after anything that pumps messages (a message
//   box, a modal dialog, WinHelp, SendMessage to another thread's window).
//   The request is one flag of the dialog object, and every message
//   dispatched while the handler waits comes through the same object and
//   clears it first; a Default() called before such a step is lost, and the
//   system's processing of the message never runs.
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
    // message it is handling to run after it. Call it last: a message
    // pumped after it (a box shown, a dialog run) cancels it (see above).
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
