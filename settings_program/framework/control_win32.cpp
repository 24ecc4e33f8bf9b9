#include "framework/control_win32.h"

#include "framework/resource_exception.h"

void CControl::Bind(HWND dialog, int id)
{
    const HWND control = GetDlgItem(dialog, id);
    if (!control)
        throw new CResourceException();
    m_hWnd = control;
    m_id = id;
}
