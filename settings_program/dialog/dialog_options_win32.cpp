// The settings dialog's layout options on the real controls: reading and
// showing them, the preview that follows them, the click rules, and their
// loading from and saving to the print settings file.
#include "app/tessary_app_win32.h"
#include "dialog/dialog_settings.h"
#include "dialog/option_rules.h"
#include "dialog/preview_choice.h"
#include "dialog/preview_ids.h"
#include "dialog/tessary_dlg_win32.h"
#include "resources/dialog_ids.h"

namespace {

// The click rules on the dialog's own controls.
class DialogOptionControls : public OptionControls {
public:
    DialogOptionControls(CTessaryDlg& dialog, void (CTessaryDlg::*update)())
        : m_dialog(dialog), m_update(update)
    {
    }
    bool IsChecked(int controlId) override { return m_dialog.Control(controlId).IsChecked(); }
    void SetChecked(int controlId, bool checked) override
    {
        m_dialog.Control(controlId).SetCheck(checked);
    }
    void ShowNotice(const char* textKey) override
    {
        CTessaryApp& app = TessaryApp();
        app.ShowMessage(app.GetConfigText("Language", textKey, ""), MB_OK | MB_ICONEXCLAMATION);
    }
    void UpdatePreview() override { (m_dialog.*m_update)(); }

private:
    CTessaryDlg& m_dialog;
    void (CTessaryDlg::*m_update)();
};

}  // namespace

DialogOptions CTessaryDlg::ReadOptions()
{
    DialogOptions options;
    options.oneJobOnePage = Control(IDC_ONE_JOB_ONE_PAGE).IsChecked();
    options.oneJobNPage = Control(IDC_ONE_JOB_N_PAGE).IsChecked();
    options.sorted = Control(IDC_SORT_PRINT).IsChecked();
    options.horizontal = Control(IDC_HORIZONTAL_LIST).GetCurSel();
    options.vertical = Control(IDC_VERTICAL_LIST).GetCurSel();
    options.printSize = Control(IDC_PRINT_SIZE_LIST).GetCurSel();
    options.framePrinting = Control(IDC_FRAME_PRINTING).IsChecked();
    options.autoRotate = Control(IDC_AUTO_ROTATE).IsChecked();
    options.landscape = Control(IDC_LANDSCAPE).IsChecked();
    return options;
}

void CTessaryDlg::ShowOptions(const DialogOptions& options)
{
    // Setting states sends no notifications: no click rule runs here.
    Control(IDC_ONE_JOB_ONE_PAGE).SetCheck(options.oneJobOnePage);
    Control(IDC_ONE_JOB_N_PAGE).SetCheck(options.oneJobNPage);
    Control(IDC_SORT_PRINT).SetCheck(options.sorted);
    Control(IDC_HORIZONTAL_LIST).SetCurSel(options.horizontal);
    Control(IDC_VERTICAL_LIST).SetCurSel(options.vertical);
    Control(IDC_PRINT_SIZE_LIST).SetCurSel(options.printSize);
    Control(IDC_FRAME_PRINTING).SetCheck(options.framePrinting);
    Control(IDC_AUTO_ROTATE).SetCheck(options.autoRotate);
    UpdatePreview();
}

void CTessaryDlg::LoadPreviewBitmaps()
{
    for (int index = 0; index < kPreviewBitmapCount; ++index) {
        if (PreviewBitmaps[index])
            continue;  // loaded when the dialog was first shown
        // A picture that cannot be loaded leaves its slot empty.
        PreviewBitmaps[index] = static_cast<HBITMAP>(
            LoadImageA(TessaryApp().Instance(), MAKEINTRESOURCEA(kPreviewBitmapIds[index]),
                       IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR));
    }
}

void CTessaryDlg::UpdatePreview()
{
    const PreviewState state = ComputePreviewState(ReadOptions());
    if (state.previewIndex != kNoPreview) {
        Control(IDC_PREVIEW).Send(STM_SETIMAGE, IMAGE_BITMAP,
                                  reinterpret_cast<LPARAM>(PreviewBitmaps[state.previewIndex]));
        if (state.checkAutoRotate)
            Control(IDC_AUTO_ROTATE).SetCheck(true);
        Control(IDC_AUTO_ROTATE).Enable(state.enableAutoRotate);
    }
    for (const IconVisibility& icon : state.icons)
        Control(icon.controlId).Show(icon.visible);
}

bool CTessaryDlg::OnOptionCommand(WORD id, WORD code)
{
    DialogOptionControls controls(*this, &CTessaryDlg::UpdatePreview);
    if (code == BN_CLICKED && id == IDC_ONE_JOB_ONE_PAGE) {
        OnOneJobOnePageClicked(controls);
        return true;
    }
    if (code == BN_CLICKED && id == IDC_SORT_PRINT) {
        OnSortPrintClicked(controls);
        return true;
    }
    if (code == CBN_SELCHANGE &&
        (id == IDC_HORIZONTAL_LIST || id == IDC_VERTICAL_LIST || id == IDC_PRINT_SIZE_LIST)) {
        UpdatePreview();
        return true;
    }
    return false;
}

void CTessaryDlg::LoadDialogSettings()
{
    CTessaryApp& app = TessaryApp();
    DialogOptions options = DialogOptionsFromSettings(
        [&app](const char* section, const char* key) { return app.GetSetting(section, key, ""); });
    options.landscape = Control(IDC_LANDSCAPE).IsChecked();
    ShowOptions(options);
}

void CTessaryDlg::SaveDialogSettings(const DialogOptions& options)
{
    CTessaryApp& app = TessaryApp();
    for (const SettingWrite& write : DialogSettingWrites(options))
        app.WriteSetting(write.section, write.key, write.value);
}
