// The program whose dialog is driven: started here, or found again by its
// process id in a later run of the driver.
#pragma once
#include <windows.h>

#include <string>

#include "win32_shared/kernel_handles_win32.h"

// Bound of every wait for the program: its dialog, its end.
const DWORD kProgramWaitMs = 20000;

class DrivenProgram {
public:
    // Starts the program with its own folder as the current folder.
    bool Start(const std::string& path, std::string& error);
    // The process of that id; false when there is none.
    bool Open(DWORD processId);

    DWORD Id() const { return m_id; }
    bool IsRunning() const;
    // The first visible top-level "#32770" of the process that holds the
    // control; null when none appears within kProgramWaitMs or the program
    // ends first.
    HWND WaitForDialog(int controlId) const;
    // Waits up to kProgramWaitMs for the program's end; its exit code.
    bool WaitForEnd(DWORD& exitCode) const;

private:
    KernelHandle m_process;
    DWORD m_id = 0;
};
