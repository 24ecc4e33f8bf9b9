// The print guard: a named manual-reset event that is signalled while
// nobody uses the shared print settings file and the device-mode files.
// The program holds it reset only for the moment it reads or writes them.
#pragma once
#include <windows.h>

#include <string>

#include "win32_shared/kernel_handles_win32.h"

class PrintGuard {
public:
    // Creates the event signalled, or opens it when another program made
    // it first (its state is then that program's). Throws when neither works.
    explicit PrintGuard(const std::string& name);
    PrintGuard(const PrintGuard&) = delete;
    PrintGuard& operator=(const PrintGuard&) = delete;

    // True when nobody holds the files now.
    bool IsFree() const;

    // Holds the guard for a scope: throws the "TessPrinttingMsg" text when
    // it is busy, else resets it, and sets it again when the scope ends,
    // whether the work in it succeeded or not.
    class Section {
    public:
        explicit Section(PrintGuard& guard);
        ~Section();
        Section(const Section&) = delete;
        Section& operator=(const Section&) = delete;

    private:
        PrintGuard& m_guard;
    };

    // Throws the "TessPrinttingMsg" text when the guard is busy.
    void ThrowIfBusy() const;

private:
    KernelHandle m_event;
};
