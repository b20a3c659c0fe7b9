// Owner of one loaded library module: FreeLibrary in the destructor. Win32 only.
#pragma once

#include <windows.h>

class CLoadedLibrary {
public:
    CLoadedLibrary() = default;
    explicit CLoadedLibrary(HMODULE module) : m_h(module) {}
    CLoadedLibrary(const CLoadedLibrary&) = delete;
    CLoadedLibrary& operator=(const CLoadedLibrary&) = delete;
    ~CLoadedLibrary() {
        if (m_h)
            FreeLibrary(m_h);
    }

    bool IsLoaded() const { return m_h != nullptr; }
    HMODULE Get() const { return m_h; }
    // The exported function, or null.
    FARPROC Find(const char* name) const { return m_h ? GetProcAddress(m_h, name) : nullptr; }

private:
    HMODULE m_h = nullptr;
};
