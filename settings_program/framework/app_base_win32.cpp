#include "framework/app_base_win32.h"

#include <new>
#include <vector>

#include "framework/cexception.h"
#include "framework/dialog_window_win32.h"
#include "framework/message_box_style.h"

static_assert(box_style::kOkCancel == MB_OKCANCEL && box_style::kYesNoCancel == MB_YESNOCANCEL &&
                  box_style::kYesNo == MB_YESNO && box_style::kButtonMask == MB_TYPEMASK &&
                  box_style::kIconStop == MB_ICONSTOP &&
                  box_style::kIconExclamation == MB_ICONEXCLAMATION &&
                  box_style::kIconMask == MB_ICONMASK && box_style::kSystemModal == MB_SYSTEMMODAL,
              "message-box style bits differ from the Windows headers");

namespace {
CAppBase* gApp = nullptr;
}

CAppBase::CAppBase() : m_instance(GetModuleHandleA(nullptr))
{
    gApp = this;
    SetCurrentPresenter(this);
}

CAppBase::~CAppBase()
{
    if (CurrentPresenter() == this)
        SetCurrentPresenter(nullptr);
    if (gApp == this)
        gApp = nullptr;
}

CAppBase* CAppBase::Current()
{
    return gApp;
}

int CAppBase::Run(HINSTANCE instance)
{
    m_instance = instance;
    try {
        InitInstance();
    } catch (CException* e) {
        ReportAndDelete(e, MB_OK, IDS_NO_ERROR_MESSAGE);
    } catch (const std::bad_alloc&) {
        ShowMessage(LoadText(IDS_OUT_OF_MEMORY), MB_ICONEXCLAMATION | MB_SYSTEMMODAL);
    } catch (...) {
        ShowMessage(LoadText(IDS_INTERNAL_FAILURE), MB_OK);
    }
    return 0;
}

HWND CAppBase::MainWindowHandle() const
{
    const HWND window = m_mainWindow ? m_mainWindow->GetSafeHwnd() : nullptr;
    return window && IsWindow(window) ? window : nullptr;
}

int CAppBase::ShowMessage(const std::string& text, unsigned style)
{
    // The active top-level window: a box or About box over the dialog
    // owns the next box, else the dialog itself; none before it exists.
    HWND owner = MainWindowHandle();
    if (owner)
        owner = GetLastActivePopup(owner);
    return MessageBoxA(owner, text.c_str(), m_title.c_str(), WithDefaultIcon(style));
}

std::string CAppBase::LoadText(unsigned id)
{
    std::vector<char> buffer(4096, '\0');
    const int length = LoadStringA(m_instance, id, buffer.data(), static_cast<int>(buffer.size()));
    return length > 0 ? std::string(buffer.data(), static_cast<size_t>(length)) : std::string();
}
