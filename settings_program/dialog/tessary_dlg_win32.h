// The settings dialog: the common print-setup dialog on the program's own
// template 1539, with the system's layout options, a preview picture and
// the copy-order icons. Its texts come from "Tessary.cfg"; OK stores the
// chosen printer with its device settings and the options.
//
// Its members are defined in three files:
// - tessary_dlg_window_win32.cpp: construction under the print guard,
//   opening, OK, Cancel and the run that saves, and the window's messages
//   (About box, right click, minimised painting, help);
// - tessary_dlg_options_win32.cpp: the layout options on the controls, the
//   preview and copy-order pictures that follow them, their click rules,
//   and their loading and saving;
// - tessary_dlg_dispose_ctl_win32.cpp: DisposeCtl, the texts from
//   "Tessary.cfg" and the layout widened to fit them.
// How messages reach the handlers, and when to call Default(), is written
// in framework/dialog_window_win32.h.
#pragma once
#include <windows.h>

#include <array>
#include <utility>
#include <vector>

#include "dialog/dialog_options.h"
#include "dialog/display_scale.h"
#include "dialog/print_guard_win32.h"
#include "framework/control_win32.h"
#include "framework/print_setup_dialog_win32.h"
#include "win32_shared/gdi_handles_win32.h"

class CTessaryDlg : public CPrintSetupDialog {
public:
    // Prepares the print-setup record, opens the print guard event and,
    // under the guard, selects the stored printer. Throws when the guard is
    // busy, no printer exists or the stored printer cannot be read.
    CTessaryDlg(DWORD flags, HWND parent);

    // Runs the dialog until the user cancels or what was chosen is saved.
    // A save that fails is reported and the dialog opens again on the
    // choices just made.
    void RunModal();

    // The control object of a control id of the template.
    CControl& Control(int id);

protected:
    void BindControls() override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    bool OnCommand(WORD id, WORD code, HWND control) override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;

private:
    // Initialisation steps.
    void AddAboutBoxMenuEntry();
    void LoadPreviewBitmaps();
    // At a display scale other than 100 %: the copy-order icons drawn at
    // that scale replace the resources' 32-pixel ones.
    void ShowScaledCopyOrderIcons();
    // The picture of a preview index at the dialog's scale: the resource
    // at 100 %, else drawn once when first shown (the resource when that fails).
    HBITMAP PreviewBitmapAtScale(int previewIndex);
    // Names a screen reader speaks for the copy-order icons and the preview.
    void NameCopyOrderIcons();
    void NamePreview(HBITMAP shown, const DialogOptions& options);
    void DisposeCtl();
    void LoadDialogSettings();
    // The options shown now, and putting options back into the controls.
    DialogOptions ReadOptions();
    void ShowOptions(const DialogOptions& options);
    void UpdatePreview();
    // Clicks and selections of the layout options; true when handled.
    bool OnOptionCommand(WORD id, WORD code);
    // Guarded section B: the printer, then the options.
    void SaveUnderGuard();
    void SaveDialogSettings(const DialogOptions& options);

    void ShowHelp(UINT command);
    void PaintMinimised();

    PrintGuard m_printGuard;
    HICON m_hIcon;  // the system's shared copy of the resource: not destroyed
    IconHandle m_hSmallIcon;
    std::vector<std::pair<int, CControl>> m_controls;
    std::array<BitmapHandle, 36> PreviewBitmaps;
    // The dialog's display scale (measured as it opens) and the pictures
    // drawn at it.
    DisplayScale m_scale;
    std::array<BitmapHandle, 36> m_scaledPreviews;
    std::vector<IconHandle> m_scaledIcons;
    // The options read at OK, saved once the common dialog has closed and
    // shown again if that save fails.
    DialogOptions m_chosen;
    bool m_reopening = false;
};
