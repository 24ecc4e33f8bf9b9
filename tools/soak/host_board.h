// What the soak's host processes sharing one installation tell each other,
// in a small named shared memory block: per host process, the pages its
// library holds for certain at the moment (pages of open jobs that no group
// can have taken yet). A host process calling JP_init reads it to know
// whether another one then held pages that JP_init must leave alone.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

#include "soak_options.h"
#include "win32_shared/kernel_handles_win32.h"

// A view of a file mapping, unmapped with UnmapViewOfFile.
struct MappedViewTraits : NullIsEmpty<void*> {
    static bool Free(Handle view) { return UnmapViewOfFile(view) != FALSE; }
};

class HostBoard {
public:
    // The board of this name, made by the first host process to ask.
    explicit HostBoard(const std::string& name);
    HostBoard(const HostBoard&) = delete;
    HostBoard& operator=(const HostBoard&) = delete;

    bool Ready() const { return m_slots != nullptr; }
    void SetHeldPages(unsigned host, uint64_t pages);
    uint64_t HeldPages(unsigned host) const;
    // True when a host process other than `host` holds pages now.
    bool OtherHostHoldsPages(unsigned host, unsigned hosts) const;
    // Waits until another host process holds pages; false after timeoutMs.
    bool WaitUntilOtherHostHoldsPages(unsigned host, unsigned hosts, unsigned long timeoutMs) const;

private:
    const KernelHandle m_mapping;
    UniqueHandle<MappedViewTraits> m_view;
    volatile LONG* m_slots = nullptr;  // the view; index: host number
};
