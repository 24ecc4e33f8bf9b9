// Owner for memory the system allocated with LocalAlloc on the caller's
// behalf (security descriptors and SID texts from the conversion
// functions), freed with LocalFree.
#pragma once
#include <windows.h>

template <typename T>
class LocalMemory {
public:
    LocalMemory() = default;
    explicit LocalMemory(T memory) : m_memory(memory) {}
    ~LocalMemory()
    {
        if (m_memory)
            LocalFree(reinterpret_cast<HLOCAL>(m_memory));
    }
    LocalMemory(const LocalMemory&) = delete;
    LocalMemory& operator=(const LocalMemory&) = delete;

    T Get() const { return m_memory; }
    // For functions that allocate into an out parameter; call on an empty owner only.
    T* Receive() { return &m_memory; }
    explicit operator bool() const { return m_memory != nullptr; }

private:
    T m_memory = nullptr;
};
