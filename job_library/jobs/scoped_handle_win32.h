// Owns a kernel object handle and closes it when it goes out of scope.
#pragma once
#include <windows.h>

class ScopedHandle {
public:
    explicit ScopedHandle(HANDLE handle = nullptr) : m_handle(handle) {}
    ~ScopedHandle() { Close(); }
    ScopedHandle(const ScopedHandle&) = delete;
    ScopedHandle& operator=(const ScopedHandle&) = delete;

    HANDLE get() const { return m_handle; }
    explicit operator bool() const { return m_handle != nullptr && m_handle != INVALID_HANDLE_VALUE; }

    void swap(ScopedHandle& other) noexcept
    {
        HANDLE handle = m_handle;
        m_handle = other.m_handle;
        other.m_handle = handle;
    }

    void Close()
    {
        if (*this)
            CloseHandle(m_handle);
        m_handle = nullptr;
    }

private:
    HANDLE m_handle;
};
