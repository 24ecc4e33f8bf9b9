// CTessaryDlg as a window: its construction under the print guard, its
// opening, OK, Cancel and the run that saves after the common dialog has
// closed, and the window's own messages (About box, right click, minimised
// painting, help).
#include "dialog/tessary_dlg_win32.h"

#include "app/module_directory.h"
#include "app/printer_store_win32.h"
#include "app/tessary_app_win32.h"
#include "app/version_dlg_win32.h"
#include "dialog/dispose_table.h"
#include "dialog/scaled_pictures_win32.h"
#include "framework/module_path_win32.h"
#include "framework/resource_exception.h"
#include "resources/dialog_ids.h"
#include "shared_formats/print_guard_name.h"

namespace {

// System-menu command of the About box; its low four bits are clear, as
// system commands require.
const UINT kAboutCommand = 0x0010;

std::string LanguageText(const char* key)
{
    return TessaryApp().GetConfigText("Language", key, "");
}

}  // namespace

CTessaryDlg::CTessaryDlg(DWORD flags, HWND parent)
    : CPrintSetupDialog(flags | PD_NONETWORKBUTTON, parent),
      m_printGuard(TessaryApp().GetConfigText(kPrintGuardSection, kPrintGuardKey, "")),
      m_hIcon(LoadIconA(TessaryApp().Instance(), MAKEINTRESOURCEA(IDI_APP_ICON))),
      // The icon file holds a picture for each size the system asks for.
      m_hSmallIcon(static_cast<HICON>(LoadImageA(TessaryApp().Instance(), MAKEINTRESOURCEA(IDI_APP_ICON),
                                                 IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                                 GetSystemMetrics(SM_CYSMICON), LR_DEFAULTCOLOR)))
{
    UseSetupTemplate(TessaryApp().Instance(), IDD_TESSARY_DIALOG);
    // Without a default printer the record stays empty; the stored-printer
    // check below then reports that no printer is installed.
    SelectDefaultPrinter();

    PrintGuard::Section guarded(m_printGuard);
    LoadStoredPrinter(*this);
}

CControl& CTessaryDlg::Control(int id)
{
    for (auto& entry : m_controls) {
        if (entry.first == id)
            return entry.second;
    }
    throw new CResourceException();
}

void CTessaryDlg::BindControls()
{
    m_controls.clear();
    for (const DisposeRow& row : DisposeTable) {
        bool bound = false;
        for (const auto& entry : m_controls)
            bound = bound || entry.first == row.controlId;
        if (bound)
            continue;  // a combo box's list-item rows name it again
        m_controls.emplace_back(row.controlId, CControl());
        m_controls.back().second.Bind(GetSafeHwnd(), row.controlId);
    }
}

BOOL CTessaryDlg::OnInitDialog()
{
    // Measured on the template's font, before the dialog gets another one.
    m_scale = MeasureDialogScale(GetSafeHwnd());
    AddAboutBoxMenuEntry();
    SendMessageA(GetSafeHwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon));
    SendMessageA(GetSafeHwnd(), WM_SETICON, ICON_SMALL,
                 reinterpret_cast<LPARAM>(m_hSmallIcon ? m_hSmallIcon.Get() : m_hIcon));
    LoadPreviewBitmaps();
    ShowScaledCopyOrderIcons();
    NameCopyOrderIcons();
    DisposeCtl();
    if (m_reopening)
        ShowOptions(m_chosen);
    else
        LoadDialogSettings();
    return TRUE;
}

void CTessaryDlg::AddAboutBoxMenuEntry()
{
    const HMENU systemMenu = GetSystemMenu(GetSafeHwnd(), FALSE);
    const std::string title = LanguageText("VersionMenuTitle");
    if (!systemMenu || title.empty())
        return;
    AppendMenuA(systemMenu, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(systemMenu, MF_STRING, kAboutCommand, title.c_str());
}

void CTessaryDlg::OnOK()
{
    // The common dialog hands over the chosen printer and its settings
    // only as it closes, so the save runs after it has closed (RunModal).
    // A busy guard is reported now, and the dialog stays as it is.
    m_printGuard.ThrowIfBusy();
    m_chosen = ReadOptions();
    Default();
}

void CTessaryDlg::OnCancel()
{
    ShowHelp(HELP_QUIT);
    Default();
}

void CTessaryDlg::RunModal()
{
    for (;;) {
        if (DoModal() != IDOK)
            return;  // Cancel, Escape or the close box: nothing is saved
        try {
            SaveUnderGuard();
            return;
        } catch (CException* e) {
            ReportAndDelete(e, MB_ICONSTOP, IDS_INTERNAL_FAILURE);
        }
        // Open again on what was just chosen, so nothing the user did is lost.
        m_reopening = true;
    }
}

void CTessaryDlg::SaveUnderGuard()
{
    PrintGuard::Section guarded(m_printGuard);
    SaveSelectedPrinter(*this);
    SaveDialogSettings(m_chosen);
}

bool CTessaryDlg::OnCommand(WORD id, WORD code, HWND)
{
    if (code == BN_CLICKED && (id == IDC_PORTRAIT || id == IDC_LANDSCAPE)) {
        UpdatePreview();
        return false;  // the common dialog changes the orientation itself
    }
    if (code == BN_CLICKED && id == IDC_HELP_BUTTON) {
        ShowHelp(HELP_QUIT);
        ShowHelp(HELP_FINDER);
        return true;
    }
    return OnOptionCommand(id, code);
}

bool CTessaryDlg::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result)
{
    switch (message) {
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) != kAboutCommand)
            return false;
        {
            CVersionDlg about;
            about.DoModal();
        }
        return true;
    case WM_CONTEXTMENU: {
        // Only the caption bar offers its menu; over the controls nothing
        // is shown.
        RECT window = {};
        GetWindowRect(GetSafeHwnd(), &window);
        const int y = static_cast<short>(HIWORD(lParam));
        const bool overCaption = y > window.top && y < window.top + GetSystemMetrics(SM_CYMINIMIZED);
        return !overCaption;
    }
    case WM_PAINT:
        if (!IsIconic(GetSafeHwnd()))
            return false;
        PaintMinimised();
        return true;
    case WM_QUERYDRAGICON:
        result = reinterpret_cast<INT_PTR>(m_hIcon);
        return true;
    default:
        return false;
    }
}

void CTessaryDlg::PaintMinimised()
{
    const PaintDc paint(GetSafeHwnd());
    const HDC dc = paint.Get();
    SendMessageA(GetSafeHwnd(), WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    RECT client = {};
    GetClientRect(GetSafeHwnd(), &client);
    const int x = (client.right - client.left - GetSystemMetrics(SM_CXICON) + 1) / 2;
    const int y = (client.bottom - client.top - GetSystemMetrics(SM_CYICON) + 1) / 2;
    DrawIcon(dc, x, y, m_hIcon);
}

void CTessaryDlg::ShowHelp(UINT command)
{
    // The help file is the program file with the extension ".HLP".
    const std::string program = ModuleFilePath(TessaryApp().Instance());
    const std::string path = DirectoryWithSeparator(program, IsAnsiLeadByte) +
                             FileTitle(program, IsAnsiLeadByte) + ".HLP";
    if (!WinHelpA(GetSafeHwnd(), path.c_str(), command, 0) && command != HELP_QUIT)
        TessaryApp().ShowMessage(TessaryApp().LoadText(IDS_HELP_FAILED), MB_OK);
}
