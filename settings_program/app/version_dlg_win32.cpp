#include "app/version_dlg_win32.h"

#include "app/tessary_app_win32.h"
#include "resources/dialog_ids.h"

CVersionDlg::CVersionDlg() : CModalDialog(IDD_VERSION_DIALOG) {}

void CVersionDlg::BindControls()
{
    m_version.Bind(GetSafeHwnd(), IDC_VERSION_TEXT);
    m_copyRight.Bind(GetSafeHwnd(), IDC_VERSION_COPYRIGHT);
    m_copyRightLead.Bind(GetSafeHwnd(), IDC_VERSION_COPYRIGHT_LEAD);
}

BOOL CVersionDlg::OnInitDialog()
{
    CTessaryApp& app = TessaryApp();
    const HFONT font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    SendMessageA(GetSafeHwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    SetWindowTextA(GetSafeHwnd(), app.GetConfigText("Language", "VersionDlgTitle", "").c_str());
    const struct {
        const CControl& control;
        const char* key;
    } lines[] = {{m_version, "Version"},
                 {m_copyRight, "VersionCopyRight"},
                 {m_copyRightLead, "VersionCopyRightLead"}};
    for (const auto& line : lines) {
        line.control.SetFont(font);
        line.control.SetText(app.GetConfigText("Language", line.key, ""));
    }
    return TRUE;
}
