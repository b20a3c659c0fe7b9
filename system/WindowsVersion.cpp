#include "system/WindowsVersion.h"

#include <windows.h>

namespace {

// The version structure as GetVersionEx fills it; zeroed when the call fails, which reads
// as neither NT nor the new shell.
OSVERSIONINFOA QueryVersion() {
    OSVERSIONINFOA info = {};
    info.dwOSVersionInfoSize = sizeof info;
    if (!GetVersionExA(&info))
        info = OSVERSIONINFOA{};
    return info;
}

} // namespace

bool IsWindowsNT() {
    return (QueryVersion().dwPlatformId & VER_PLATFORM_WIN32_NT) != 0;
}

bool IsNewShell() {
    return QueryVersion().dwMajorVersion > 3;
}
