// The print guard as the named Win32 event the settings program creates:
// manual reset, signalled while free. The launcher keeps one handle for its
// life; each hold resets the event and each release sets it again.
#pragma once
#include <windows.h>

#include <string>

#include "stored_choice.h"
#include "win32_shared/kernel_handles_win32.h"

class Win32PrintGuardEvent : public PrintGuardEvent {
public:
    // Creates the event signalled, or opens it when another program made it
    // first (its state is then that program's). Logs when neither works.
    explicit Win32PrintGuardEvent(const std::string& name);
    // Sets the event again if it is still held, then closes it.
    ~Win32PrintGuardEvent() override;
    Win32PrintGuardEvent(const Win32PrintGuardEvent&) = delete;
    Win32PrintGuardEvent& operator=(const Win32PrintGuardEvent&) = delete;

    bool Opened() const { return static_cast<bool>(m_event); }

    Wait Hold(uint32_t waitMs) override;
    void Release() override;

private:
    std::string m_name;
    KernelHandle m_event;
    bool m_held = false;
};
