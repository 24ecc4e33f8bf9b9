// CTessaryDlg's layout options on the real controls: reading and showing
// them, the preview and copy-order pictures that follow them, the click
// rules, and their loading from and saving to the print settings file.
#include <string>
#include <utility>

#include "app/tessary_app_win32.h"
#include "dialog/dialog_settings.h"
#include "dialog/option_rules.h"
#include "dialog/picture_names.h"
#include "dialog/preview_choice.h"
#include "dialog/preview_ids.h"
#include "dialog/scaled_pictures_win32.h"
#include "dialog/tessary_dlg_win32.h"
#include "resources/dialog_ids.h"

#include "copy_icon_art.h"
#include "preview_art.h"

using resource_art::kCopyIconSize;
using resource_art::kPreviewSize;

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
        PreviewBitmaps[index].Reset(static_cast<HBITMAP>(
            LoadImageA(TessaryApp().Instance(), MAKEINTRESOURCEA(kPreviewBitmapIds[index]),
                       IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR)));
    }
}

HBITMAP CTessaryDlg::PreviewBitmapAtScale(int previewIndex)
{
    if (m_scale.IsUnscaled())
        return PreviewBitmaps[previewIndex].Get();
    BitmapHandle& drawn = m_scaledPreviews[previewIndex];
    if (!drawn)
        drawn = DrawPreviewBitmap(previewIndex, ScaledPictureSize(kPreviewSize, m_scale));
    return drawn ? drawn.Get() : PreviewBitmaps[previewIndex].Get();
}

void CTessaryDlg::ShowScaledCopyOrderIcons()
{
    if (m_scale.IsUnscaled())
        return;
    // A second opening (after a failed save) draws them for its new window.
    m_scaledIcons.clear();
    const int size = ScaledPictureSize(kCopyIconSize, m_scale);
    const struct {
        int controlId;
        int iconId;
    } icons[] = {{IDC_UNSORTED_PAGE1, kIconUnsortedFirst}, {IDC_UNSORTED_PAGE2, kIconUnsortedSecond},
                 {IDC_UNSORTED_PAGE3, kIconUnsortedThird}, {IDC_SORTED_SET1, kIconSortedFirst},
                 {IDC_SORTED_SET2, kIconSortedSecond}};
    for (const auto& entry : icons) {
        IconHandle icon(DrawCopyOrderIcon(entry.iconId, size));
        if (!icon)
            continue;  // the resource's icon stays
        const HICON shown = icon.Get();
        m_scaledIcons.push_back(std::move(icon));
        // The control takes the icon's size; the previous icon is the
        // system's shared copy of the resource.
        Control(entry.controlId).Send(STM_SETICON, reinterpret_cast<WPARAM>(shown));
    }
}

namespace {

// The text of a combo box's list item, "" when there is none.
std::string ListItemText(const CControl& combo, int position)
{
    const LRESULT length = combo.Send(CB_GETLBTEXTLEN, static_cast<WPARAM>(position));
    if (position < 0 || length == CB_ERR || length < 0)
        return std::string();
    std::string text(static_cast<size_t>(length) + 1, '\0');
    const LRESULT copied = combo.Send(CB_GETLBTEXT, static_cast<WPARAM>(position),
                                      reinterpret_cast<LPARAM>(&text[0]));
    text.resize(copied > 0 && copied <= length ? static_cast<size_t>(copied) : 0);
    return text;
}

std::string WindowText(const CControl& control)
{
    const int length = GetWindowTextLengthA(control.GetSafeHwnd());
    std::string text(static_cast<size_t>(length > 0 ? length : 0) + 1, '\0');
    const int copied = GetWindowTextA(control.GetSafeHwnd(), &text[0], length + 1);
    text.resize(copied > 0 && copied <= length ? static_cast<size_t>(copied) : 0);
    return text;
}

// A picture control's window text is its name for screen readers. A static
// showing a picture takes new text as the name of a resource to show, so
// the picture is given back afterwards.
void NamePicture(const CControl& control, const std::string& name, UINT imageType, HANDLE image)
{
    control.SetText(name);
    if (imageType == IMAGE_ICON)
        control.Send(STM_SETICON, reinterpret_cast<WPARAM>(image));
    else
        control.Send(STM_SETIMAGE, imageType, reinterpret_cast<LPARAM>(image));
}

}  // namespace

void CTessaryDlg::NameCopyOrderIcons()
{
    CTessaryApp& app = TessaryApp();
    const std::string unsorted = app.GetConfigText("Language", "UnsortedIconName", "");
    const std::string sorted = app.GetConfigText("Language", "SortedIconName", "");
    for (int id : {IDC_UNSORTED_PAGE1, IDC_UNSORTED_PAGE2, IDC_UNSORTED_PAGE3, IDC_SORTED_SET1,
                   IDC_SORTED_SET2}) {
        const CControl& icon = Control(id);
        const HANDLE shown = reinterpret_cast<HANDLE>(icon.Send(STM_GETICON));
        const bool isSorted = id == IDC_SORTED_SET1 || id == IDC_SORTED_SET2;
        NamePicture(icon, isSorted ? sorted : unsorted, IMAGE_ICON, shown);
    }
}

void CTessaryDlg::NamePreview(HBITMAP shown, const DialogOptions& options)
{
    const std::string format = TessaryApp().GetConfigText("Language", "PreviewName", "");
    const int orientation = options.landscape ? IDC_LANDSCAPE : IDC_PORTRAIT;
    const std::string name = FillPlaceholders(
        format, {ListItemText(Control(IDC_PRINT_SIZE_LIST), options.printSize),
                 ListItemText(Control(IDC_HORIZONTAL_LIST), options.horizontal),
                 ListItemText(Control(IDC_VERTICAL_LIST), options.vertical),
                 WithoutAccessKey(WindowText(Control(orientation)))});
    NamePicture(Control(IDC_PREVIEW), name, IMAGE_BITMAP, shown);
}

void CTessaryDlg::UpdatePreview()
{
    const DialogOptions options = ReadOptions();
    const PreviewState state = ComputePreviewState(options);
    if (state.previewIndex != kNoPreview) {
        NamePreview(PreviewBitmapAtScale(state.previewIndex), options);
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
