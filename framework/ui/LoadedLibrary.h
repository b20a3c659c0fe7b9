// Owner of one loaded library module: FreeLibrary in the destructor. Win32 only.
#pragma once

#include <windows.h>

// An exported function as the type its caller declares, or null. FARPROC's own signature
// matches no real one, so the conversion goes through void* (a plain cast warns).
template <typename Proc> Proc FindProc(HMODULE module, const char* name) {
    return module ? reinterpret_cast<Proc>(reinterpret_cast<void*>(GetProcAddress(module, name)))
                  : nullptr;
}

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
    // The exported function as the type the caller declares, or null.
    template <typename Proc> Proc Find(const char* name) const { return FindProc<Proc>(m_h, name); }

private:
    HMODULE m_h = nullptr;
};
