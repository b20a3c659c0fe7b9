// shift.exe: the main program of the sample product Corvatek Shiftwell. It shows one window
// with the product name and the switches it was started with; "/-safe" adds "Safe Mode" to
// the title. Enough of a program to be installed, started from its program item and from the
// Run key, and found through its App Paths entry.
#include <windows.h>

#include <cstring>

namespace {

const char kClassName[] = "CorvatekShiftwellMain";

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        RECT client;
        GetClientRect(window, &client);
        char title[128];
        GetWindowTextA(window, title, sizeof title);
        DrawTextA(dc, title, -1, &client, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        EndPaint(window, &paint);
        return 0;
    }
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int showCommand) {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = MainWindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = kClassName;
    if (!RegisterClassA(&windowClass))
        return 1;
    const char* title = std::strstr(commandLine, "/-safe") ? "Corvatek Shiftwell (Safe Mode)"
                                                           : "Corvatek Shiftwell";
    HWND window = CreateWindowA(kClassName, title, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                                CW_USEDEFAULT, 400, 200, nullptr, nullptr, instance, nullptr);
    if (window == nullptr)
        return 1;
    ShowWindow(window, showCommand);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return static_cast<int>(msg.wParam);
}
