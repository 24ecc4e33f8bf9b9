#include "framework/modal_dialog_win32.h"

#include "framework/app_base_win32.h"
#include "framework/resource_exception.h"

INT_PTR CModalDialog::DoModal()
{
    CAppBase* app = CAppBase::Current();
    const HINSTANCE instance = app ? app->Instance() : GetModuleHandleA(nullptr);
    const HWND owner = m_parent ? m_parent : (app ? app->MainWindowHandle() : nullptr);
    const INT_PTR result = DialogBoxParamA(instance, MAKEINTRESOURCEA(m_templateId), owner,
                                           DialogProcedure, reinterpret_cast<LPARAM>(this));
    if (result == -1)
        throw new CResourceException();
    return result;
}

INT_PTR CALLBACK CModalDialog::DialogProcedure(HWND window, UINT message, WPARAM wParam,
                                               LPARAM lParam)
{
    CDialogWindow* attach =
        message == WM_INITDIALOG ? reinterpret_cast<CModalDialog*>(lParam) : nullptr;
    return RouteMessage(window, message, wParam, lParam, attach);
}
