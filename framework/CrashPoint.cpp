#include "framework/CrashPoint.h"

namespace {

CrashPointHook g_crashPointHook = nullptr;

} // namespace

CrashPointHook SetCrashPointHook(CrashPointHook hook) {
    CrashPointHook previous = g_crashPointHook;
    g_crashPointHook = hook;
    return previous;
}

void PassCrashPoint(CrashPoint point) {
    if (g_crashPointHook)
        g_crashPointHook(point);
}
