// The kernel calls that the compiler's thread library imports and that Windows 95 or NT 3.51
// lack. Each import slot is filled here instead of by the system's import library: the call is
// looked up at run time and, where the system lacks it, answered by a fallback fit for
// programs that start no thread of their own. Linked into the shipped i686 programs only.
#include "framework/ui/LoadedLibrary.h"

#include <windows.h>

namespace {

ULONGLONG WINAPI StandInGetTickCount64() {
    using Proc = ULONGLONG(WINAPI*)();
    static const auto newer = KernelFunction<Proc>("GetTickCount64");
    if (newer)
        return newer();
    // The 32-bit count wraps after 49.7 days; count the wraps seen between calls.
    static DWORD last = 0;
    static ULONGLONG wraps = 0;
    DWORD now = GetTickCount();
    if (now < last)
        ++wraps;
    last = now;
    return (wraps << 32) | now;
}

PVOID WINAPI StandInAddVectoredExceptionHandler(ULONG first, PVECTORED_EXCEPTION_HANDLER handler) {
    using Proc = PVOID(WINAPI*)(ULONG, PVECTORED_EXCEPTION_HANDLER);
    static const auto newer = KernelFunction<Proc>("AddVectoredExceptionHandler");
    return newer ? newer(first, handler) : nullptr;
}

ULONG WINAPI StandInRemoveVectoredExceptionHandler(PVOID handle) {
    using Proc = ULONG(WINAPI*)(PVOID);
    static const auto newer = KernelFunction<Proc>("RemoveVectoredExceptionHandler");
    return newer && handle ? newer(handle) : 0;
}

// With one thread a critical section is never held by another, so entering it cannot block
// and always succeeds, as TryEnterCriticalSection would.
BOOL WINAPI StandInTryEnterCriticalSection(LPCRITICAL_SECTION section) {
    using Proc = BOOL(WINAPI*)(LPCRITICAL_SECTION);
    static const auto newer = KernelFunction<Proc>("TryEnterCriticalSection");
    if (newer)
        return newer(section);
    EnterCriticalSection(section);
    return TRUE;
}

BOOL WINAPI StandInSetProcessAffinityMask(HANDLE process, DWORD_PTR mask) {
    using Proc = BOOL(WINAPI*)(HANDLE, DWORD_PTR);
    static const auto newer = KernelFunction<Proc>("SetProcessAffinityMask");
    if (newer)
        return newer(process, mask);
    SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
    return FALSE;
}

BOOL WINAPI StandInIsDebuggerPresent() {
    using Proc = BOOL(WINAPI*)();
    static const auto newer = KernelFunction<Proc>("IsDebuggerPresent");
    return newer ? newer() : FALSE;
}

} // namespace

extern "C" {
__attribute__((used)) void* imp_GetTickCount64 __asm__("__imp__GetTickCount64@0") =
    reinterpret_cast<void*>(&StandInGetTickCount64);
__attribute__((used)) void* imp_AddVectored __asm__("__imp__AddVectoredExceptionHandler@8") =
    reinterpret_cast<void*>(&StandInAddVectoredExceptionHandler);
__attribute__((used)) void* imp_RemoveVectored __asm__("__imp__RemoveVectoredExceptionHandler@4") =
    reinterpret_cast<void*>(&StandInRemoveVectoredExceptionHandler);
__attribute__((used)) void* imp_TryEnter __asm__("__imp__TryEnterCriticalSection@4") =
    reinterpret_cast<void*>(&StandInTryEnterCriticalSection);
__attribute__((used)) void* imp_SetAffinity __asm__("__imp__SetProcessAffinityMask@8") =
    reinterpret_cast<void*>(&StandInSetProcessAffinityMask);
__attribute__((used)) void* imp_IsDebuggerPresent __asm__("__imp__IsDebuggerPresent@0") =
    reinterpret_cast<void*>(&StandInIsDebuggerPresent);
}
