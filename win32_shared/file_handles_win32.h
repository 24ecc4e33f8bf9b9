// Owners for an open file or folder and for a folder listing: each gives
// back what it holds when it goes out of scope, also on an early return.
#pragma once
#include <windows.h>

// A kernel handle (from CreateFile: INVALID_HANDLE_VALUE when none; or a
// token), closed with CloseHandle.
class FileHandle {
public:
    explicit FileHandle(HANDLE file = INVALID_HANDLE_VALUE) : m_file(file) {}
    ~FileHandle()
    {
        if (*this)
            CloseHandle(m_file);
    }
    FileHandle(FileHandle&& other) noexcept : m_file(other.m_file) { other.m_file = INVALID_HANDLE_VALUE; }
    FileHandle& operator=(FileHandle&& other) noexcept
    {
        if (this != &other) {
            if (*this)
                CloseHandle(m_file);
            m_file = other.m_file;
            other.m_file = INVALID_HANDLE_VALUE;
        }
        return *this;
    }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;

    HANDLE Get() const { return m_file; }
    explicit operator bool() const { return m_file != INVALID_HANDLE_VALUE && m_file != nullptr; }

private:
    HANDLE m_file;
};

// A listing from FindFirstFile, ended with FindClose.
class FindHandle {
public:
    explicit FindHandle(HANDLE find = INVALID_HANDLE_VALUE) : m_find(find) {}
    ~FindHandle()
    {
        if (*this)
            FindClose(m_find);
    }
    FindHandle(const FindHandle&) = delete;
    FindHandle& operator=(const FindHandle&) = delete;

    HANDLE Get() const { return m_find; }
    explicit operator bool() const { return m_find != INVALID_HANDLE_VALUE; }

private:
    HANDLE m_find;
};
