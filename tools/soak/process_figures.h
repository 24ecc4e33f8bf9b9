// The figures of this process that must not grow with a long run: its
// handles and its private committed memory. Wine 8 answers
// GetProcessHandleCount with 0 and GetProcessMemoryInfo with a PrivateUsage
// of 0, so the same figures are taken from the system's handle table and
// from a walk over the address space (what PrivateUsage counts on Windows).
#pragma once
#include <cstdint>

struct ProcessFigures {
    unsigned long handles = 0;
    uint64_t privateBytes = 0;
};

ProcessFigures MeasureThisProcess();

// True under Wine. Wine 8's WaitForInputIdle leaves the caller one event
// handle each time it waits for a GUI program (the process's idle event is
// opened and never closed), so every launcher start the library makes adds
// a handle that a Windows host would not have.
bool RunningUnderWine();
