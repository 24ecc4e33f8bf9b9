// Owners of global memory blocks (GlobalAlloc): the print dialog's device
// mode and device names, and blocks handed to or taken from the spooler.
// Memory the system allocates with LocalAlloc has its owner in
// local_memory_win32.h.
#pragma once
#include <windows.h>

#include "win32_shared/unique_handle_win32.h"

// A global memory block, freed with GlobalFree unless handed on.
struct GlobalBlockTraits : NullIsEmpty<HGLOBAL> {
    static bool Free(Handle block) { return GlobalFree(block) == nullptr; }
};
using GlobalBlock = UniqueHandle<GlobalBlockTraits>;

// A lock on a global memory block, unlocked with GlobalUnlock.
class GlobalLockScope {
public:
    explicit GlobalLockScope(HGLOBAL block)
        : m_block(block), m_data(block ? GlobalLock(block) : nullptr)
    {
    }
    ~GlobalLockScope()
    {
        if (m_data)
            GlobalUnlock(m_block);
    }
    GlobalLockScope(const GlobalLockScope&) = delete;
    GlobalLockScope& operator=(const GlobalLockScope&) = delete;

    // The block's memory; null when the lock failed.
    void* Data() const { return m_data; }

private:
    HGLOBAL m_block;
    void* m_data;
};
