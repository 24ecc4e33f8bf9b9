// Owners for global memory blocks and printer handles: each gives back what
// it holds when it goes out of scope, also when an error passes through.
#pragma once
#include <windows.h>
#include <winspool.h>

// A global memory block, freed with GlobalFree unless handed on.
class GlobalBlock {
public:
    explicit GlobalBlock(HGLOBAL block = nullptr) : m_block(block) {}
    ~GlobalBlock()
    {
        if (m_block)
            GlobalFree(m_block);
    }
    GlobalBlock(GlobalBlock&& other) noexcept : m_block(other.Release()) {}
    GlobalBlock(const GlobalBlock&) = delete;
    GlobalBlock& operator=(const GlobalBlock&) = delete;

    HGLOBAL Get() const { return m_block; }
    explicit operator bool() const { return m_block != nullptr; }
    // Hands the block to a new owner, which frees it from now on.
    HGLOBAL Release()
    {
        HGLOBAL block = m_block;
        m_block = nullptr;
        return block;
    }

private:
    HGLOBAL m_block;
};

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

// An open printer, closed with ClosePrinter.
class PrinterHandle {
public:
    explicit PrinterHandle(HANDLE printer = nullptr) : m_printer(printer) {}
    ~PrinterHandle()
    {
        if (m_printer)
            ClosePrinter(m_printer);
    }
    PrinterHandle(const PrinterHandle&) = delete;
    PrinterHandle& operator=(const PrinterHandle&) = delete;

    HANDLE Get() const { return m_printer; }
    explicit operator bool() const { return m_printer != nullptr; }

private:
    HANDLE m_printer;
};
