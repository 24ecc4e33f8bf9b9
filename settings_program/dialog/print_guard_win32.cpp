#include "dialog/print_guard_win32.h"

#include "app/app_exception.h"
#include "app/tessary_app_win32.h"
#include "framework/resource_exception.h"
#include "shared_formats/print_guard_name.h"

namespace {

// The event, or none for a name the launcher would not meet on: a name
// longer than the system takes is refused here, as Windows refuses it.
HANDLE CreateGuardEvent(const std::string& name)
{
    if (JudgePrintGuardName(name.size()) == PrintGuardNameState::TooLong)
        return nullptr;
    return CreateEventA(nullptr, TRUE, TRUE, name.c_str());
}

}  // namespace

PrintGuard::PrintGuard(const std::string& name) : m_event(CreateGuardEvent(name))
{
    if (!m_event)
        throw new CResourceException();
}

bool PrintGuard::IsFree() const
{
    return WaitForSingleObject(m_event.Get(), 0) == WAIT_OBJECT_0;
}

void PrintGuard::ThrowIfBusy() const
{
    if (!IsFree())
        throw new CAppException(TessaryApp().GetConfigText("Language", "TessPrinttingMsg", ""));
}

PrintGuard::Section::Section(PrintGuard& guard) : m_guard(guard)
{
    m_guard.ThrowIfBusy();
    ResetEvent(m_guard.m_event.Get());
}

PrintGuard::Section::~Section()
{
    SetEvent(m_guard.m_event.Get());
}
