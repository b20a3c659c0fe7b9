// Runs a driver script on a second thread while the test's own (user-interface) thread
// shows windows, so a test can operate its own modal dialogs and message boxes.
//
// When the script has finished and the UI part still has not returned a few seconds later,
// every dialog of the UI thread is sent IDCANCEL and IDNO until it returns: a test that fails
// never hangs in a modal loop.
#pragma once

#include "GuiDriver.h"

#include <atomic>
#include <thread>

namespace guidriver {

BOOL CALLBACK CancelThreadWindow(HWND wnd, LPARAM);

template <class Ui, class Script> void RunWithScript(Ui ui, Script script) {
    DWORD uiThread = GetCurrentThreadId();
    std::atomic<bool> uiDone{false};
    std::thread helper([&] {
        script();
        DWORD start = GetTickCount();
        while (!uiDone) {
            if (GetTickCount() - start > 5000)
                EnumThreadWindows(uiThread, CancelThreadWindow, 0);
            Sleep(50);
        }
    });
    ui();
    uiDone = true;
    helper.join();
}

// Query for a top-level window of this process.
inline WindowQuery OwnWindow(const std::string& caption, std::vector<int> controlIds = {}) {
    WindowQuery query;
    query.caption = caption;
    query.controlIds = std::move(controlIds);
    query.processId = GetCurrentProcessId();
    return query;
}

} // namespace guidriver
