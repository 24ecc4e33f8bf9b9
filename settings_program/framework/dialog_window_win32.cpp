#include "framework/dialog_window_win32.h"

#include <new>

#include "framework/app_base_win32.h"
#include "framework/cexception.h"

namespace {

// The window property that leads from a dialog window to its object.
const char kObjectProperty[] = "TessaryDialogObject";

// A WM_COMMAND from a menu or an accelerator names no control.
bool IsMenuCommand(UINT message, LPARAM lParam)
{
    return message == WM_COMMAND && lParam == 0;
}

}  // namespace

bool CDialogWindow::OnCommand(WORD, WORD, HWND)
{
    return false;
}

bool CDialogWindow::OnMessage(UINT, WPARAM, LPARAM, INT_PTR&)
{
    return false;
}

INT_PTR CDialogWindow::RouteMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                    CDialogWindow* attach)
{
    if (attach) {
        attach->m_hWnd = window;
        SetPropA(window, kObjectProperty, attach);
    }
    CDialogWindow* self = static_cast<CDialogWindow*>(GetPropA(window, kObjectProperty));
    if (!self)
        return FALSE;  // messages before WM_INITDIALOG: the system's own
    if (message == WM_NCDESTROY) {
        RemovePropA(window, kObjectProperty);
        self->m_hWnd = nullptr;
        return FALSE;
    }

    const bool initialising = message == WM_INITDIALOG;
    try {
        return self->Dispatch(message, wParam, lParam);
    } catch (CException* e) {
        if (initialising) {
            ReportAndDelete(e, MB_OK, IDS_NO_ERROR_MESSAGE);
        } else {
            ReportAndDelete(e, MB_ICONSTOP, IsMenuCommand(message, lParam) ? IDS_COMMAND_FAILED
                                                                          : IDS_INTERNAL_FAILURE);
        }
    } catch (const std::bad_alloc&) {
        self->ReportFailure(message, wParam, lParam, IDS_OUT_OF_MEMORY);
    } catch (...) {
        self->ReportFailure(message, wParam, lParam, IDS_INTERNAL_FAILURE);
    }
    // A dialog whose set-up failed is closed as cancelled; otherwise the
    // failed message counts as handled and the dialog stays open.
    if (initialising) {
        self->EndWith(IDCANCEL);
        return FALSE;
    }
    return TRUE;
}

INT_PTR CDialogWindow::Dispatch(UINT message, WPARAM wParam, LPARAM lParam)
{
    m_wantsDefault = false;
    INT_PTR result = TRUE;
    if (message == WM_INITDIALOG) {
        BindControls();
        result = OnInitDialog();
        // A hook's own answer to WM_INITDIALOG is its focus choice, not "handled".
        return result;
    }
    bool handled = true;
    if (message == WM_COMMAND) {
        const WORD id = LOWORD(wParam);
        if (id == IDOK)
            OnOK();
        else if (id == IDCANCEL)
            OnCancel();
        else
            handled = OnCommand(id, HIWORD(wParam), reinterpret_cast<HWND>(lParam));
    } else {
        handled = OnMessage(message, wParam, lParam, result);
    }
    if (!handled || m_wantsDefault)
        return FALSE;
    return result;
}

void CDialogWindow::ReportFailure(UINT message, WPARAM, LPARAM lParam, unsigned genericTextId)
{
    CAppBase* app = CAppBase::Current();
    if (!app)
        return;
    try {
        const unsigned style = genericTextId == IDS_OUT_OF_MEMORY
                                   ? MB_ICONEXCLAMATION | MB_SYSTEMMODAL
                                   : (message == WM_INITDIALOG ? MB_OK : MB_ICONSTOP);
        const unsigned textId = genericTextId == IDS_INTERNAL_FAILURE && IsMenuCommand(message, lParam)
                                    ? IDS_COMMAND_FAILED
                                    : genericTextId;
        app->ShowMessage(app->LoadText(textId), style);
    } catch (...) {
        // Not even the box could be shown; the message stays handled.
    }
}
