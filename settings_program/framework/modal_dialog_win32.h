// A modal dialog made from a dialog template of the program's resources.
#pragma once
#include "framework/dialog_window_win32.h"

class CModalDialog : public CDialogWindow {
public:
    // parent null: owned by the program's main window.
    explicit CModalDialog(int templateId, HWND parent = nullptr)
        : m_templateId(templateId), m_parent(parent) {}

    // Runs the dialog; returns what ended it (IDOK, IDCANCEL). A template
    // that cannot be loaded throws.
    INT_PTR DoModal();

protected:
    void OnOK() override { EndDialog(GetSafeHwnd(), IDOK); }
    void OnCancel() override { EndDialog(GetSafeHwnd(), IDCANCEL); }

private:
    static INT_PTR CALLBACK DialogProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    int m_templateId;
    HWND m_parent;
};
