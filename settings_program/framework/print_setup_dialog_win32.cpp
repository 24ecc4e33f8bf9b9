#include "framework/print_setup_dialog_win32.h"

#include "framework/app_base_win32.h"

CPrintSetupDialog::CPrintSetupDialog(DWORD flags, HWND parent) : m_pd()
{
    m_pd.lStructSize = sizeof m_pd;
    m_pd.hwndOwner = parent;
    m_pd.Flags = flags | PD_PRINTSETUP | PD_ENABLEPRINTHOOK | PD_ENABLESETUPHOOK;
    // Some systems call only one of the two hooks, whatever the mode: both
    // lead to the same procedure.
    m_pd.lpfnPrintHook = HookProcedure;
    m_pd.lpfnSetupHook = HookProcedure;
    m_pd.lCustData = reinterpret_cast<LPARAM>(this);
}

CPrintSetupDialog::~CPrintSetupDialog()
{
    ReplaceDevMode(nullptr);
    ReplaceDevNames(nullptr);
    ReplaceDC(nullptr);
}

INT_PTR CPrintSetupDialog::DoModal()
{
    if (!m_pd.hInstance) {
        CAppBase* app = CAppBase::Current();
        m_pd.hInstance = app ? app->Instance() : GetModuleHandleA(nullptr);
    }
    return PrintDlgA(&m_pd) ? IDOK : IDCANCEL;
}

bool CPrintSetupDialog::SelectDefaultPrinter()
{
    if (m_pd.hDevMode && m_pd.hDevNames)
        return true;
    PRINTDLGA query = {};
    query.lStructSize = sizeof query;
    query.Flags = PD_RETURNDEFAULT;
    if (!PrintDlgA(&query))
        return false;
    ReplaceDevMode(query.hDevMode);
    ReplaceDevNames(query.hDevNames);
    return true;
}

void CPrintSetupDialog::ReplaceDevMode(HGLOBAL devMode)
{
    if (m_pd.hDevMode && m_pd.hDevMode != devMode)
        GlobalFree(m_pd.hDevMode);
    m_pd.hDevMode = devMode;
}

void CPrintSetupDialog::ReplaceDevNames(HGLOBAL devNames)
{
    if (m_pd.hDevNames && m_pd.hDevNames != devNames)
        GlobalFree(m_pd.hDevNames);
    m_pd.hDevNames = devNames;
}

void CPrintSetupDialog::ReplaceDC(HDC dc)
{
    if (m_pd.hDC && m_pd.hDC != dc)
        DeleteDC(m_pd.hDC);
    m_pd.hDC = dc;
}

void CPrintSetupDialog::EndWith(INT_PTR result)
{
    // The common dialog frees what it allocated when it sees its own
    // Cancel; ending it directly would skip that.
    if (result == IDCANCEL)
        PostMessageA(GetSafeHwnd(), WM_COMMAND, IDCANCEL, 0);
    else
        EndDialog(GetSafeHwnd(), result);
}

UINT_PTR CALLBACK CPrintSetupDialog::HookProcedure(HWND window, UINT message, WPARAM wParam,
                                                   LPARAM lParam)
{
    CDialogWindow* attach = nullptr;
    if (message == WM_INITDIALOG) {
        const PRINTDLGA* record = reinterpret_cast<const PRINTDLGA*>(lParam);
        attach = record ? reinterpret_cast<CPrintSetupDialog*>(record->lCustData) : nullptr;
    }
    return static_cast<UINT_PTR>(RouteMessage(window, message, wParam, lParam, attach));
}
