// One reference to a COM object, released when it goes out of scope; Out()
// hands the empty slot to the call that makes the object.
#pragma once
#include <windows.h>
#include <unknwn.h>

template <typename T>
class ComPointer {
public:
    ComPointer() = default;
    ~ComPointer()
    {
        if (m_object)
            m_object->Release();
    }
    ComPointer(const ComPointer&) = delete;
    ComPointer& operator=(const ComPointer&) = delete;

    // Use on an empty pointer only.
    T** Out() { return &m_object; }
    T* operator->() const { return m_object; }
    T* Get() const { return m_object; }

private:
    T* m_object = nullptr;
};
