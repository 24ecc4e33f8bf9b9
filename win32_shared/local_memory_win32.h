// Owner for memory the system allocated with LocalAlloc on the caller's
// behalf (texts of FormatMessage with FORMAT_MESSAGE_ALLOCATE_BUFFER,
// security descriptors and SID texts from the conversion functions), freed
// with LocalFree. T is the pointer type the allocating call fills
// (through Receive()).
#pragma once
#include <windows.h>

#include "win32_shared/unique_handle_win32.h"

template <typename T>
struct LocalMemoryTraits : NullIsEmpty<T> {
    static bool Free(T memory) { return LocalFree(reinterpret_cast<HLOCAL>(memory)) == nullptr; }
};
template <typename T>
using LocalMemory = UniqueHandle<LocalMemoryTraits<T>>;
