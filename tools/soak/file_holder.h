// Another process that holds a file open without sharing for a while, as a
// log viewer or a virus scanner does: the soak starts itself again with
//   soak --hold-file PATH MILLISECONDS
// (RunFileHolder is that second process's whole work).
#pragma once
#include <windows.h>

#include <string>

#include "win32_shared/kernel_handles_win32.h"

// The second process: opens PATH without sharing (retrying up to a second
// while someone else has it open), keeps it MILLISECONDS, exits 0; exits 1
// when it never got the file.
int RunFileHolder(const std::string& path, unsigned long milliseconds);

class FileHolder {
public:
    FileHolder() = default;
    ~FileHolder() { Finish(); }
    FileHolder(const FileHolder&) = delete;
    FileHolder& operator=(const FileHolder&) = delete;

    // Starts the holding process; false when it cannot be started.
    bool Start(const std::string& path, unsigned long milliseconds);
    // Waits for the holding process to end; true when it held the file.
    bool Finish();
    bool Running() const { return static_cast<bool>(m_process); }

private:
    KernelHandle m_process;
};
