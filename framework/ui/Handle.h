// Owner of one kernel handle (process, thread, event, file mapping): closed by the destructor.
// Win32 only.
#pragma once

#include <windows.h>

class CHandle {
public:
    CHandle() = default;
    explicit CHandle(HANDLE handle) : m_h(handle) {}
    CHandle(const CHandle&) = delete;
    CHandle& operator=(const CHandle&) = delete;
    CHandle(CHandle&& other) noexcept : m_h(other.Detach()) {}
    CHandle& operator=(CHandle&& other) noexcept {
        if (this != &other)
            Reset(other.Detach());
        return *this;
    }
    ~CHandle() { Reset(); }

    // Null and INVALID_HANDLE_VALUE both count as "no handle".
    bool IsValid() const { return m_h != nullptr && m_h != INVALID_HANDLE_VALUE; }
    HANDLE Get() const { return m_h; }
    HANDLE Detach() {
        HANDLE h = m_h;
        m_h = nullptr;
        return h;
    }
    // Closes the present handle (keeping the caller's last-error value) and takes another.
    void Reset(HANDLE handle = nullptr) {
        if (IsValid()) {
            DWORD error = GetLastError();
            CloseHandle(m_h);
            SetLastError(error);
        }
        m_h = handle;
    }

private:
    HANDLE m_h = nullptr;
};
