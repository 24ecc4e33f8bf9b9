// A process's committed private memory counted region by region over its
// address space: what PrivateUsage counts on Windows, for where Wine 8
// answers GetProcessMemoryInfo with 0. Under Wine each query of another
// process stops it for a moment.
#pragma once
#include <windows.h>

#include <cstdint>

// Bytes of the committed private regions of `process` (GetCurrentProcess()
// for this one); of a process that has ended, what was counted before.
uint64_t CommittedPrivateBytes(HANDLE process);
