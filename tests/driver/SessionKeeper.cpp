// Stands in for the rest of a Windows session while test programs or benchmark runs come
// and go in one Wine prefix. Wine ends its desktop process (and with it the shell's
// Program Manager service) once no other program holds a window; programs that outlive it
// then work against a desktop that is gone. A hidden window held here keeps it up.
//
// Started with a pipe as standard input (scripts/wine-session), it ends when the other end
// is closed; otherwise it runs until the prefix's wine server is stopped (bench/run).
#include "framework/ui/Handle.h"

#include <windows.h>

namespace {

constexpr DWORD kLongestSessionMs = 4 * 60 * 60 * 1000; // no keeper outlives its X server

DWORD WINAPI QuitAtEndOfInput(void* mainThreadId) {
    char buffer[256];
    DWORD read = 0;
    while (ReadFile(GetStdHandle(STD_INPUT_HANDLE), buffer, sizeof buffer, &read, nullptr) &&
           read != 0) {
    }
    PostThreadMessageA(static_cast<DWORD>(reinterpret_cast<ULONG_PTR>(mainThreadId)), WM_QUIT, 0,
                       0);
    return 0;
}

void CALLBACK QuitAfterLongestSession(HWND, UINT, UINT_PTR, DWORD) {
    PostQuitMessage(0);
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    HWND window = CreateWindowA("STATIC", "Shiftwell session keeper", WS_POPUP, 0, 0, 1, 1, nullptr,
                                nullptr, nullptr, nullptr);
    if (window == nullptr)
        return 1;
    SetTimer(window, 1, kLongestSessionMs, QuitAfterLongestSession);
    if (GetFileType(GetStdHandle(STD_INPUT_HANDLE)) == FILE_TYPE_PIPE) {
        void* mainThreadId = reinterpret_cast<void*>(static_cast<ULONG_PTR>(GetCurrentThreadId()));
        // The thread runs on; its handle is not needed.
        CHandle reader(CreateThread(nullptr, 0, QuitAtEndOfInput, mainThreadId, 0, nullptr));
    }
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0)
        DispatchMessageA(&msg);
    DestroyWindow(window);
    return 0;
}
