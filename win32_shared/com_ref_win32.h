// Owns one reference to a COM object and releases it when it goes out of
// scope; Out() hands the slot to a function that creates the object.
#pragma once
#include <windows.h>
#include <unknwn.h>

template <class T>
class ComRef {
public:
    ComRef() = default;
    ~ComRef() { Reset(); }
    ComRef(const ComRef&) = delete;
    ComRef& operator=(const ComRef&) = delete;

    T* operator->() const { return m_object; }
    T* Get() const { return m_object; }
    explicit operator bool() const { return m_object != nullptr; }

    T** Out()
    {
        Reset();
        return &m_object;
    }
    // Exchanges the objects of the two.
    void Swap(ComRef& other)
    {
        T* object = m_object;
        m_object = other.m_object;
        other.m_object = object;
    }
    void Reset()
    {
        if (m_object)
            m_object->Release();
        m_object = nullptr;
    }

private:
    T* m_object = nullptr;
};
