#include "print_guard_event_win32.h"

#include "launcher_log_win32.h"

Win32PrintGuardEvent::Win32PrintGuardEvent(const std::string& name)
    : m_name(name), m_event(CreateEventA(nullptr, TRUE, TRUE, name.c_str()))
{
    if (!m_event)
        LogFailure("CreateEvent (print guard)", name);
}

Win32PrintGuardEvent::~Win32PrintGuardEvent()
{
    Release();
}

PrintGuardEvent::Wait Win32PrintGuardEvent::Hold(uint32_t waitMs)
{
    if (!m_event || m_held)
        return kFailed;
    const DWORD result = WaitForSingleObject(m_event.Get(), waitMs);
    if (result == WAIT_TIMEOUT)
        return kBusy;
    if (result != WAIT_OBJECT_0) {
        LogFailure("WaitForSingleObject (print guard)", m_name);
        return kFailed;
    }
    if (!ResetEvent(m_event.Get())) {
        LogFailure("ResetEvent (print guard)", m_name);
        return kFailed;
    }
    m_held = true;
    return kHeld;
}

void Win32PrintGuardEvent::Release()
{
    if (!m_held)
        return;
    m_held = false;
    if (!SetEvent(m_event.Get()))
        LogFailure("SetEvent (print guard)", m_name);
}
