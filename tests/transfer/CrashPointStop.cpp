// Linked into the crash-test build of SETUP.EXE only (never into the product): stops the
// program at one crash point so that the test can end it there, as a power loss would.
//   SHIFTWELL_CRASH_TRACE  file that receives one letter per crash point passed (CrashPoint)
//   SHIFTWELL_CRASH_AT     the number of the point to stop at, from 1 (0 or none: never)
//   SHIFTWELL_CRASH_EVENT  name of an event set when that point is reached
// Without SHIFTWELL_CRASH_TRACE the program runs as the product does.
#include "framework/CrashPoint.h"
#include "framework/ui/Handle.h"

#include <windows.h>

#include <cstdlib>
#include <string>

namespace {

CHandle g_trace;
CHandle g_reached;
unsigned long g_passed = 0;
unsigned long g_stopAt = 0;

std::string Variable(const char* name) {
    char value[MAX_PATH] = {};
    DWORD length = GetEnvironmentVariableA(name, value, sizeof value);
    return length > 0 && length < sizeof value ? std::string(value, length) : std::string();
}

void StopAtCrashPoint(CrashPoint point) {
    char letter = static_cast<char>(point);
    DWORD written = 0;
    WriteFile(g_trace.Get(), &letter, 1, &written, nullptr);
    if (++g_passed != g_stopAt)
        return;
    SetEvent(g_reached.Get());
    // The test ends the process here; nothing of the program runs again.
    for (;;)
        Sleep(INFINITE);
}

struct CCrashPointSetup {
    CCrashPointSetup() {
        std::string trace = Variable("SHIFTWELL_CRASH_TRACE");
        if (trace.empty())
            return;
        g_trace.Reset(CreateFileA(trace.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                  CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        g_stopAt = std::strtoul(Variable("SHIFTWELL_CRASH_AT").c_str(), nullptr, 10);
        std::string event = Variable("SHIFTWELL_CRASH_EVENT");
        if (!event.empty())
            g_reached.Reset(OpenEventA(EVENT_MODIFY_STATE, FALSE, event.c_str()));
        if (g_trace.IsValid())
            SetCrashPointHook(StopAtCrashPoint);
    }
} g_crashPointSetup;

} // namespace
