// The one owner of a system handle: it gives back what it holds when it goes
// out of scope, also on an early return or an exception; it can hand it on
// (a move, Release) and take another (Reset). Each kind of handle is a
// Traits class:
//
//   struct SomeTraits {
//       using Handle = HSOMETHING;
//       static Handle Empty();                // what an owner of nothing holds
//       static bool IsEmpty(Handle handle);   // also the failure values of the calls that make one
//       static bool Free(Handle handle);      // gives it back; false when that failed
//   };
//
// Most kinds take NullIsEmpty<Handle> for the first three.
// The kinds: kernel_handles_win32.h, gdi_handles_win32.h,
// global_memory_win32.h, local_memory_win32.h, registry_key_win32.h,
// spooler_handles_win32.h, msi_handle_win32.h, loaded_module_win32.h.
// COM objects have their own owner, com_ref_win32.h (a reference, not a handle).
#pragma once

template <typename Traits>
class UniqueHandle {
public:
    using Handle = typename Traits::Handle;

    UniqueHandle() : m_handle(Traits::Empty()) {}
    explicit UniqueHandle(Handle handle) : m_handle(handle) {}
    ~UniqueHandle() { Close(); }
    UniqueHandle(UniqueHandle&& other) noexcept : m_handle(other.Release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept
    {
        if (this != &other)
            Reset(other.Release());
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;

    Handle Get() const { return m_handle; }
    explicit operator bool() const { return !Traits::IsEmpty(m_handle); }

    // Gives the handle back now; false when that failed (for a file written
    // to, the last write may not have reached the disk). An owner of nothing
    // gives back nothing and answers true.
    bool Close()
    {
        const Handle handle = Release();
        return Traits::IsEmpty(handle) || Traits::Free(handle);
    }
    // Gives back what is held and holds handle instead; the handle already
    // held is kept (a call may answer with the handle it was given).
    void Reset(Handle handle = Traits::Empty())
    {
        if (handle != m_handle)
            Close();
        m_handle = handle;
    }
    // Hands the handle to a new owner, which gives it back from now on.
    Handle Release()
    {
        const Handle handle = m_handle;
        m_handle = Traits::Empty();
        return handle;
    }
    // For a call that answers into an out parameter; use on an empty owner only.
    Handle* Receive() { return &m_handle; }

private:
    Handle m_handle;
};

// Traits part of a kind whose only empty value is null.
template <typename H>
struct NullIsEmpty {
    using Handle = H;
    static Handle Empty() { return nullptr; }
    static bool IsEmpty(Handle handle) { return handle == nullptr; }
};
