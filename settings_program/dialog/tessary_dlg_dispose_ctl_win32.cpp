// CTessaryDlg::DisposeCtl: gives the settings dialog and its controls the
// GUI font and their texts from "Tessary.cfg", then widens the layout when a
// text does not fit. The arithmetic lives in dispose_layout; this file
// measures, sets texts and moves windows.
#include "dialog/tessary_dlg_win32.h"

#include <climits>
#include <cstddef>
#include <string>

#include "app/tessary_app_win32.h"
#include "dialog/dispose_layout.h"
#include "dialog/dispose_table.h"
#include "win32_shared/gdi_handles_win32.h"

namespace {

// Every failure here is the one internal error of the dialog's set-up.
[[noreturn]] void ThrowDisposeError()
{
    TessaryApp().ThrowAppError("CTessaryDlg::DisposeCtl()");
}

DisposeRect ToDisposeRect(const RECT& rect)
{
    return {rect.left, rect.top, rect.right, rect.bottom};
}

int ClientWidth(HWND window)
{
    RECT client;
    if (!GetClientRect(window, &client))
        ThrowDisposeError();
    return client.right - client.left;
}

// Width of text as stored: a "&" mnemonic marker counts as a character.
int TextWidth(HDC dc, const std::string& text)
{
    if (text.empty())
        return 0;
    if (text.size() > static_cast<std::size_t>(INT_MAX))
        ThrowDisposeError();
    SIZE extent;
    if (!GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &extent))
        ThrowDisposeError();
    return extent.cx;
}

// A list item that cannot be added would shift the positions that the
// dialog's options are stored by, so it is an error, not a gap.
void AddListItem(const CControl& combo, const std::string& text)
{
    const LRESULT position = combo.Send(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    if (position == CB_ERR || position == CB_ERRSPACE)
        ThrowDisposeError();
}

// A control's window rectangle in the dialog's client coordinates.
RECT RectInDialog(HWND dialog, HWND control)
{
    RECT rect;
    if (!GetWindowRect(control, &rect))
        ThrowDisposeError();
    MapWindowPoints(HWND_DESKTOP, dialog, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

bool IsComboBox(HWND window)
{
    // Class names are at most 256 characters; a name cut off here could
    // not have been "ComboBox" anyway.
    char className[257];
    const int length = GetClassNameA(window, className, static_cast<int>(sizeof className));
    return length > 0 && lstrcmpiA(className, "ComboBox") == 0;
}

// The height to move a control with. A combo box's window rectangle spans
// only its closed part, but the height a combo box is moved with also sets
// the height of its dropped-down list; moved with the closed height alone,
// the list may lose its height on some versions of the control. So a combo
// box is moved with the height of its dropped-down rectangle, read just
// before the move: the combo box keeps the closed height it sets for
// itself, and its list drops down as tall as before. (Windows counts the
// closed part in that rectangle's height and Wine does not, so under Wine
// the list ends up one closed height shorter, still several items tall.)
int MoveHeight(HWND control, int windowHeight)
{
    if (!IsComboBox(control))
        return windowHeight;
    RECT dropped;
    if (!SendMessageA(control, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&dropped)))
        return windowHeight;
    const int droppedHeight = dropped.bottom - dropped.top;
    return droppedHeight > windowHeight ? droppedHeight : windowHeight;
}

void MoveItem(HWND window, const DisposeRect& rect, int height)
{
    if (!MoveWindow(window, rect.left, rect.top, rect.right - rect.left, height, TRUE))
        ThrowDisposeError();
}

}  // namespace

void CTessaryDlg::DisposeCtl()
{
    CTessaryApp& app = TessaryApp();
    const HWND dialog = GetSafeHwnd();

    const WindowDc clientDc(dialog);
    if (!clientDc)
        ThrowDisposeError();
    const CreatedDc memoryDc(CreateCompatibleDC(clientDc.Get()));
    if (!memoryDc)
        ThrowDisposeError();
    const HFONT font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    if (!font)
        ThrowDisposeError();

    SendMessageA(dialog, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    SetWindowTextA(dialog, app.GetConfigText("Language", "DlgTitle", "").c_str());

    RECT dialogRect;
    if (!GetWindowRect(dialog, &dialogRect))
        ThrowDisposeError();
    DisposeScale scale(dialogRect.right - dialogRect.left, kDisposeMaxDialogWidth * m_scale.across);

    // Texts and the scale factor they need, measured in the GUI font; the
    // memory device context's own font comes back before it is deleted.
    ObjectSelection selection(memoryDc.Get(), font);
    if (!selection)
        ThrowDisposeError();
    for (const DisposeRow& row : DisposeTable) {
        const CControl& control = Control(row.controlId);
        control.SetFont(font);
        if (!row.textKey)
            continue;
        const int controlWidth = ClientWidth(control.GetSafeHwnd());
        const std::string text = app.GetConfigText("Language", row.textKey, "");
        scale.ConsiderRow(row, controlWidth, TextWidth(memoryDc.Get(), text));
        switch (DisposeTextFor(row.code)) {
        case DisposeText::WindowText:
            control.SetText(text);
            break;
        case DisposeText::ListItem:
            AddListItem(control, text);
            break;
        case DisposeText::Invalid:
            ThrowDisposeError();
        }
    }
    selection.Restore();

    if (!scale.MovesAnything())
        return;

    // The dialog first, centred on the screen, then its controls, whose
    // client coordinates do not depend on where the dialog is.
    const DisposeRect dialogMoved =
        DisposeDialogRect(ToDisposeRect(dialogRect), scale.Factor(),
                          GetSystemMetrics(SM_CXFULLSCREEN), GetSystemMetrics(SM_CYFULLSCREEN));
    MoveItem(dialog, dialogMoved, dialogMoved.bottom - dialogMoved.top);

    for (const DisposeRow& row : DisposeTable) {
        const HWND control = Control(row.controlId).GetSafeHwnd();
        const RECT old = RectInDialog(dialog, control);
        DisposeRect moved = {};
        switch (DisposeScaledRect(row.code, scale.Factor(), ToDisposeRect(old), moved)) {
        case DisposeMove::Skip:
            continue;
        case DisposeMove::Invalid:
            ThrowDisposeError();
        case DisposeMove::Move:
            break;
        }
        MoveItem(control, moved, MoveHeight(control, old.bottom - old.top));
    }
}
