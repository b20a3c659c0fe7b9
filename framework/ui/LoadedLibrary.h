// Owner of one loaded library module: FreeLibrary in the destructor. Win32 only.
#pragma once

#include <windows.h>

// An exported function as the type its caller declares, or null. FARPROC's own signature
// matches no real one, so the conversion goes through void* (a plain cast warns).
template <typename Proc> Proc FindProc(HMODULE module, const char* name) {
    return module ? reinterpret_cast<Proc>(reinterpret_cast<void*>(GetProcAddress(module, name)))
                  : nullptr;
}

// A function of the kernel that only newer systems export, or null. The shipped programs
// import only names that Windows 95 and Windows NT 3.51 both export; every newer call is
// looked up here at run time and has a fallback:
//   SetFileInformationByHandle (Vista)   rename an open file through its handle; else close
//                                        it and rename it by name (File_win32.cpp)
//   GetFileAttributesExA (NT 4.0, 98)    a file's status by name; else FindFirstFileA, and
//                                        the attributes alone for a root (File_win32.cpp)
//   SetDefaultDllDirectories (Vista SP2 update), SetDllDirectoryA (XP SP1)
//                                        take the program's folder out of the library search;
//                                        else the old order stays (SystemLibrary.cpp)
//   GetTickCount64, AddVectoredExceptionHandler, RemoveVectoredExceptionHandler,
//   TryEnterCriticalSection, SetProcessAffinityMask, IsDebuggerPresent
//                                        asked for by the compiler's thread library; answered
//                                        for a program with one thread (runtime/KernelStandIns.cpp)
//   SystemFunction036 (advapi32, XP)     the standard library's random device; else the
//                                        performance counter and tick count stirred
//                                        (runtime/CrtdllStandIns.cpp)
//   ImmDisableIME (imm32, 98 and 2000)   no input method for an unattended run; else the
//                                        input method stays (app/SetupApp.cpp)
// Libraries that only some runs need (the common dialogs, COM and the shell link, imm32,
// version.dll) are loaded when first needed instead (SystemLibrary.h).
template <typename Proc> Proc KernelFunction(const char* name) {
    return FindProc<Proc>(GetModuleHandleA("kernel32.dll"), name);
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
