// Owners of kernel objects (files, folders, processes, threads, events,
// mutexes, tokens) and of folder listings (unique_handle_win32.h).
#pragma once
#include <windows.h>

#include "win32_shared/unique_handle_win32.h"

// Closed with CloseHandle. Both null (what CreateEvent, CreateMutex and
// OpenProcess give on failure) and INVALID_HANDLE_VALUE (what CreateFile
// gives) count as empty.
struct KernelHandleTraits {
    using Handle = HANDLE;
    static Handle Empty() { return nullptr; }
    static bool IsEmpty(Handle handle) { return handle == nullptr || handle == INVALID_HANDLE_VALUE; }
    static bool Free(Handle handle) { return CloseHandle(handle) != FALSE; }
};
using KernelHandle = UniqueHandle<KernelHandleTraits>;

// A listing from FindFirstFile, ended with FindClose.
struct FindHandleTraits : KernelHandleTraits {
    static Handle Empty() { return INVALID_HANDLE_VALUE; }
    static bool Free(Handle handle) { return FindClose(handle) != FALSE; }
};
using FindHandle = UniqueHandle<FindHandleTraits>;
