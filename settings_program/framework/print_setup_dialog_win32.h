// The common print-setup dialog (PrintDlgA) with a template of the
// program's own and one hook procedure that routes every message to the
// object before the common dialog processes it.
#pragma once
#include <windows.h>

#include <commdlg.h>

#include "framework/dialog_window_win32.h"

class CPrintSetupDialog : public CDialogWindow {
public:
    // flags are added to PD_PRINTSETUP and the two hook flags.
    CPrintSetupDialog(DWORD flags, HWND parent);
    ~CPrintSetupDialog() override;

    // Runs the dialog: IDOK or IDCANCEL. A failure of the common dialog
    // counts as IDCANCEL; CommDlgExtendedError() tells it from a cancel.
    INT_PTR DoModal();

    // Fills hDevMode and hDevNames for the system's default printer when
    // they are empty; false when there is no default printer.
    bool SelectDefaultPrinter();

    // The dialog's record. It owns hDevMode, hDevNames and hDC: they are
    // freed with the dialog, and a new handle put here must replace (and
    // free) the old one through the setters below.
    PRINTDLGA m_pd;

    void ReplaceDevMode(HGLOBAL devMode);
    void ReplaceDevNames(HGLOBAL devNames);
    void ReplaceDC(HDC dc);

protected:
    // The common dialog's own processing finishes OK and Cancel.
    void OnOK() override { Default(); }
    void OnCancel() override { Default(); }
    void EndWith(INT_PTR result) override;

private:
    static UINT_PTR CALLBACK HookProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
};
