#include "framework/WindowsFamily.h"

#include <windows.h>

namespace {

WindowsFamily g_pretended = WindowsFamily::kRunning;

} // namespace

bool IsWindows95Family() {
    switch (g_pretended) {
    case WindowsFamily::kWindows95:
        return true;
    case WindowsFamily::kWindowsNT:
        return false;
    default:
        return (GetVersion() & 0x80000000u) != 0;
    }
}

WindowsFamily PretendWindowsFamily(WindowsFamily family) {
    WindowsFamily previous = g_pretended;
    g_pretended = family;
    return previous;
}
