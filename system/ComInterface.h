// CComInterface<T>: owner of one COM interface pointer; Release when replaced or destroyed.
// Win32 only; never throws.
#pragma once

#include <unknwn.h>

template <class T> class CComInterface {
public:
    CComInterface() = default;
    CComInterface(const CComInterface&) = delete;
    CComInterface& operator=(const CComInterface&) = delete;
    ~CComInterface() { Release(); }

    // Releases the interface held (if any) and hands out the slot for a call that fills it.
    T** Receive() {
        Release();
        return &m_p;
    }
    void** ReceiveVoid() { return reinterpret_cast<void**>(Receive()); }
    void Release() {
        if (m_p) {
            T* p = m_p;
            m_p = nullptr;
            p->Release();
        }
    }

    T* Get() const { return m_p; }
    T* operator->() const { return m_p; }
    explicit operator bool() const { return m_p != nullptr; }

private:
    T* m_p = nullptr;
};
