#include "template_layout.h"

#include <cstring>
#include <vector>

#include "dialog/preview_ids.h"
#include "win32_shared/gdi_handles_win32.h"
#include "win32_shared/loaded_module_win32.h"

namespace {

const int kTemplateId = 1539;
const int kOrientationIcon = 1084;
const int kPreview = 11002;
// DLGTEMPLATEEX: dlgVer, signature, helpID and exStyle come before style.
const size_t kStyleOffset = 12;

INT_PTR CALLBACK QuietDialog(HWND, UINT, WPARAM, LPARAM)
{
    return FALSE;
}

struct Reading {
    TemplateLayout* layout;
    HBITMAP preview;
};

BOOL CALLBACK ReadControl(HWND control, LPARAM param)
{
    const Reading* reading = reinterpret_cast<const Reading*>(param);
    TemplateLayout* layout = reading->layout;
    const HWND dialog = GetParent(control);
    SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)),
                 TRUE);
    // Pictures take the size of what they show.
    const int id = GetDlgCtrlID(control);
    if (id == kOrientationIcon)
        SendMessageA(control, STM_SETICON,
                     reinterpret_cast<WPARAM>(LoadIconA(nullptr, IDI_APPLICATION)), 0);
    if (id == kPreview)
        SendMessageA(control, STM_SETIMAGE, IMAGE_BITMAP,
                     reinterpret_cast<LPARAM>(reading->preview));
    RECT rect = {};
    GetWindowRect(control, &rect);
    MapWindowPoints(HWND_DESKTOP, dialog, reinterpret_cast<POINT*>(&rect), 2);
    layout->controls[id] = rect;
    RECT client = {};
    GetClientRect(control, &client);
    layout->clientWidths[id] = client.right - client.left;
    return TRUE;
}

}  // namespace

bool ReadTemplateLayout(const std::string& programPath, TemplateLayout& layout)
{
    const LoadedModule programModule(
        LoadLibraryExA(programPath.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE));
    const HMODULE program = programModule.Get();
    if (!program)
        return false;
    bool read = false;
    const HRSRC resource = FindResourceA(program, MAKEINTRESOURCEA(kTemplateId), RT_DIALOG);
    const HGLOBAL loaded = resource ? LoadResource(program, resource) : nullptr;
    const BYTE* bytes = loaded ? static_cast<const BYTE*>(LockResource(loaded)) : nullptr;
    const DWORD size = resource ? SizeofResource(program, resource) : 0;
    if (bytes && size > kStyleOffset + sizeof(DWORD)) {
        // A copy that stays hidden.
        std::vector<BYTE> copy(bytes, bytes + size);
        DWORD style = 0;
        std::memcpy(&style, &copy[kStyleOffset], sizeof style);
        style &= ~static_cast<DWORD>(WS_VISIBLE);
        std::memcpy(&copy[kStyleOffset], &style, sizeof style);
        const HWND dialog = CreateDialogIndirectParamA(
            program, reinterpret_cast<LPCDLGTEMPLATEA>(copy.data()), nullptr, QuietDialog, 0);
        const BitmapHandle preview(static_cast<HBITMAP>(LoadImageA(
            program, MAKEINTRESOURCEA(kPreviewBitmapIds[0]), IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR)));
        Reading reading = {&layout, preview.Get()};
        if (dialog) {
            EnumChildWindows(dialog, ReadControl, reinterpret_cast<LPARAM>(&reading));
            GetWindowRect(dialog, &layout.dialog);
            DestroyWindow(dialog);
            read = preview && !layout.controls.empty();
        }
    }
    return read;
}
