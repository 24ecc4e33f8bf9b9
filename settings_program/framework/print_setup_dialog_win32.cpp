#include "framework/print_setup_dialog_win32.h"

#include <utility>

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

void CPrintSetupDialog::UseSetupTemplate(HINSTANCE module, int templateId)
{
    m_pd.hInstance = module;
    m_pd.lpSetupTemplateName = MAKEINTRESOURCEA(templateId);
    m_pd.Flags |= PD_ENABLESETUPTEMPLATE;
}

INT_PTR CPrintSetupDialog::DoModal()
{
    if (!m_pd.hInstance) {
        CAppBase* app = CAppBase::Current();
        m_pd.hInstance = app ? app->Instance() : GetModuleHandleA(nullptr);
    }
    // The device mode and device names are lent to the common dialog,
    // which may free what it was given and answer with new blocks; what the
    // record holds when it returns, on OK and on Cancel alike, is owned here
    // again. The device context is not the dialog's input; one comes back
    // only when the flags ask for it, and then replaces the one held.
    m_pd.hDevMode = m_devMode.Release();
    m_pd.hDevNames = m_devNames.Release();
    m_pd.hDC = nullptr;
    const BOOL chosen = PrintDlgA(&m_pd);
    m_devMode.Reset(m_pd.hDevMode);
    m_devNames.Reset(m_pd.hDevNames);
    if ((m_pd.Flags & (PD_RETURNDC | PD_RETURNIC)) && m_pd.hDC)
        m_dc.Reset(m_pd.hDC);
    m_pd.hDevMode = nullptr;
    m_pd.hDevNames = nullptr;
    m_pd.hDC = nullptr;
    return chosen ? IDOK : IDCANCEL;
}

bool CPrintSetupDialog::SelectDefaultPrinter()
{
    if (m_devMode && m_devNames)
        return true;
    PRINTDLGA query = {};
    query.lStructSize = sizeof query;
    query.Flags = PD_RETURNDEFAULT;
    const BOOL found = PrintDlgA(&query);
    // Owned whatever the answer, so that nothing returned stays behind.
    GlobalBlock devMode(query.hDevMode);
    GlobalBlock devNames(query.hDevNames);
    if (!found)
        return false;
    m_devMode = std::move(devMode);
    m_devNames = std::move(devNames);
    return true;
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
