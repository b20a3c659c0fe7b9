#include "framework/ui/WinApp.h"

#include "framework/ui/Dialog.h"

#include <algorithm>
#include <vector>

namespace {

CWinApp* g_pApp = nullptr;

std::vector<HWND>& ModelessDialogs() {
    static std::vector<HWND> dialogs;
    return dialogs;
}

} // namespace

CWinApp::CWinApp() {
    g_pApp = this;
}

CWinApp::~CWinApp() {
    if (g_pApp == this)
        g_pApp = nullptr;
}

CWinApp* GetApp() {
    return g_pApp;
}

HINSTANCE GetResourceHandle() {
    return GetModuleHandleA(nullptr);
}

int CWinApp::Run() {
    MSG msg;
    for (;;) {
        BOOL got = GetMessageA(&msg, nullptr, 0, 0);
        if (got == 0)
            return static_cast<int>(msg.wParam);
        if (got == -1)
            return -1;
        if (!PreTranslateMessage(msg)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
}

bool CWinApp::PreTranslateMessage(MSG& msg) {
    return PreTranslateModelessDialog(msg);
}

LRESULT CWinApp::ProcessWndProcException(const CException&, const MSG*) {
    MessageBeep(MB_ICONEXCLAMATION);
    return 0;
}

void CWinApp::SetDialogBkColor(COLORREF background, COLORREF text) {
    SetDialogColors(background, text);
}

LRESULT ReportEscapedException(const CException& e, const MSG* msg) {
    CWinApp* app = GetApp();
    return app ? app->ProcessWndProcException(e, msg) : 0;
}

int RunApplication(CWinApp& app, HINSTANCE instance, const char* cmdLine) {
    app.m_hInstance = instance;
    app.m_strCmdLine = cmdLine ? cmdLine : "";
    bool started = false;
    CallBehindExceptionBarrier(nullptr, [&] {
        started = app.InitInstance();
        return LRESULT(0);
    });
    if (started)
        app.m_nExitCode = app.Run();
    bool ended = false;
    int exitCode = 0;
    CallBehindExceptionBarrier(nullptr, [&] {
        exitCode = app.ExitInstance();
        ended = true;
        return LRESULT(0);
    });
    return ended ? exitCode : app.m_nExitCode;
}

void AddModelessDialog(HWND dialog) {
    auto& dialogs = ModelessDialogs();
    if (std::find(dialogs.begin(), dialogs.end(), dialog) == dialogs.end())
        dialogs.push_back(dialog);
}

HWND RootWindowOf(HWND window) {
    while (window != nullptr && (GetWindowLongA(window, GWL_STYLE) & WS_CHILD) != 0) {
        HWND parent = GetParent(window);
        if (parent == nullptr)
            break;
        window = parent;
    }
    return window;
}

void RemoveModelessDialog(HWND dialog) {
    auto& dialogs = ModelessDialogs();
    dialogs.erase(std::remove(dialogs.begin(), dialogs.end(), dialog), dialogs.end());
}

bool PreTranslateModelessDialog(MSG& msg) {
    if (msg.hwnd == nullptr)
        return false;
    HWND root = RootWindowOf(msg.hwnd);
    auto& dialogs = ModelessDialogs();
    if (root == nullptr || std::find(dialogs.begin(), dialogs.end(), root) == dialogs.end())
        return false;
    return IsDialogMessageA(root, &msg) != FALSE;
}
