#include "system/WindowsVersion.h"

#include "framework/WindowsFamily.h"

#include <windows.h>

namespace {

// The version structure as GetVersionEx fills it; zeroed when the call fails, which reads
// as the old shell.
OSVERSIONINFOA QueryVersion() {
    OSVERSIONINFOA info = {};
    info.dwOSVersionInfoSize = sizeof info;
    if (!GetVersionExA(&info))
        info = OSVERSIONINFOA{};
    return info;
}

} // namespace

bool IsWindowsNT() {
    return !IsWindows95Family();
}

bool IsNewShell() {
    return QueryVersion().dwMajorVersion > 3;
}
