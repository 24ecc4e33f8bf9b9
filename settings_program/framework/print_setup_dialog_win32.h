// The common print-setup dialog (PrintDlgA) with a template of the
// program's own and one hook procedure that routes every message to the
// object before the common dialog processes it.
#pragma once
#include <windows.h>

#include <commdlg.h>

#include "framework/dialog_window_win32.h"
#include "win32_shared/gdi_handles_win32.h"
#include "win32_shared/global_memory_win32.h"

class CPrintSetupDialog : public CDialogWindow {
public:
    // flags are added to PD_PRINTSETUP and the two hook flags.
    CPrintSetupDialog(DWORD flags, HWND parent);

    // Runs the dialog: IDOK or IDCANCEL. A failure of the common dialog
    // counts as IDCANCEL; CommDlgExtendedError() tells it from a cancel.
    INT_PTR DoModal();

    // Fills the device mode and device names for the system's default
    // printer when they are empty; false when there is no default printer.
    bool SelectDefaultPrinter();

    // The printer selection the dialog owns: its device mode and device
    // names (global blocks) and a device context. The dialog frees them
    // when it goes; a replacement frees the one it replaces. While the
    // dialog runs, the common dialog holds them (and may replace them).
    HGLOBAL DevMode() const { return m_devMode.Get(); }
    HGLOBAL DevNames() const { return m_devNames.Get(); }
    HDC DC() const { return m_dc.Get(); }
    void ReplaceDevMode(HGLOBAL devMode) { m_devMode.Reset(devMode); }
    void ReplaceDevNames(HGLOBAL devNames) { m_devNames.Reset(devNames); }
    void ReplaceDC(HDC dc) { m_dc.Reset(dc); }

protected:
    // The dialog's template: resource templateId of module.
    void UseSetupTemplate(HINSTANCE module, int templateId);

    // The common dialog's own processing finishes OK and Cancel.
    void OnOK() override { Default(); }
    void OnCancel() override { Default(); }
    void EndWith(INT_PTR result) override;

private:
    static UINT_PTR CALLBACK HookProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    // The record's settings; its handle fields stay empty outside DoModal.
    PRINTDLGA m_pd;
    GlobalBlock m_devMode;
    GlobalBlock m_devNames;
    CreatedDc m_dc;
};
