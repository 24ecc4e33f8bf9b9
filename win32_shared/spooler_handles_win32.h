// An open printer, and the global memory blocks the spooler and the print
// dialog work with (global_memory_win32.h).
#pragma once
#include <windows.h>
#include <winspool.h>

#include "win32_shared/global_memory_win32.h"
#include "win32_shared/unique_handle_win32.h"

// An open printer, closed with ClosePrinter.
struct PrinterHandleTraits : NullIsEmpty<HANDLE> {
    static bool Free(Handle printer) { return ClosePrinter(printer) != FALSE; }
};
using PrinterHandle = UniqueHandle<PrinterHandleTraits>;
