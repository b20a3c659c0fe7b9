#include "GuiDriver.h"

#include "framework/ui/Gdi.h"

#include <cstdio>
#include <cstring>
#include <memory>

namespace guidriver {

namespace {

constexpr UINT kSendTimeoutMs = 2000;

struct Search {
    const WindowQuery* query;
    HWND found = nullptr;
};

std::string ClassOf(HWND wnd) {
    char name[128] = {};
    GetClassNameA(wnd, name, sizeof name);
    return name;
}

bool Matches(HWND wnd, const WindowQuery& q) {
    if (q.visibleOnly && !IsWindowVisible(wnd))
        return false;
    if (q.processId != 0) {
        DWORD pid = 0;
        GetWindowThreadProcessId(wnd, &pid);
        if (pid != q.processId)
            return false;
    }
    if (!q.className.empty() && ClassOf(wnd) != q.className)
        return false;
    if (!q.caption.empty() && GetText(wnd) != q.caption)
        return false;
    for (int id : q.controlIds)
        if (FindControl(wnd, id) == nullptr)
            return false;
    return true;
}

BOOL CALLBACK SearchTop(HWND wnd, LPARAM param) {
    auto* search = reinterpret_cast<Search*>(param);
    if (Matches(wnd, *search->query)) {
        search->found = wnd;
        return FALSE;
    }
    return TRUE;
}

struct ControlSearch {
    int id;
    HWND found = nullptr;
};

BOOL CALLBACK SearchControl(HWND wnd, LPARAM param) {
    auto* search = reinterpret_cast<ControlSearch*>(param);
    if (GetDlgCtrlID(wnd) == search->id) {
        search->found = wnd;
        return FALSE;
    }
    return TRUE;
}

struct ListSearch {
    DWORD processId;
    bool visibleOnly;
    std::vector<HWND> windows;
};

BOOL CALLBACK CollectTop(HWND wnd, LPARAM param) {
    auto* search = reinterpret_cast<ListSearch*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(wnd, &pid);
    if (pid == search->processId && (!search->visibleOnly || IsWindowVisible(wnd)))
        search->windows.push_back(wnd);
    return TRUE;
}

BOOL CALLBACK CollectStatics(HWND wnd, LPARAM param) {
    auto* text = reinterpret_cast<std::string*>(param);
    if (_stricmp(ClassOf(wnd).c_str(), "Static") == 0) {
        std::string t = GetText(wnd);
        if (!t.empty()) {
            if (!text->empty())
                *text += "\n";
            *text += t;
        }
    }
    return TRUE;
}

} // namespace

HWND FindTopWindow(const WindowQuery& query) {
    Search search{&query};
    EnumWindows(SearchTop, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND WaitForWindow(const WindowQuery& query, DWORD timeoutMs) {
    HWND found = nullptr;
    WaitUntil([&] { return (found = FindTopWindow(query)) != nullptr; }, timeoutMs);
    return found;
}

bool WaitForWindowGone(HWND wnd, DWORD timeoutMs) {
    return WaitUntil([&] { return !IsWindow(wnd) || !IsWindowVisible(wnd); }, timeoutMs);
}

std::vector<HWND> ListTopWindows(DWORD processId, bool visibleOnly) {
    ListSearch search{processId, visibleOnly, {}};
    EnumWindows(CollectTop, reinterpret_cast<LPARAM>(&search));
    return search.windows;
}

HWND FindControl(HWND root, int id) {
    if (root == nullptr)
        return nullptr;
    if (HWND direct = GetDlgItem(root, id))
        return direct;
    ControlSearch search{id};
    EnumChildWindows(root, SearchControl, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::string GetText(HWND wnd) {
    if (wnd == nullptr)
        return {};
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutA(wnd, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kSendTimeoutMs,
                             &length))
        return {};
    std::vector<char> buffer(length + 2, '\0');
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutA(wnd, WM_GETTEXT, buffer.size(),
                             reinterpret_cast<LPARAM>(buffer.data()), SMTO_ABORTIFHUNG,
                             kSendTimeoutMs, &copied))
        return {};
    return std::string(buffer.data(), copied < length + 1 ? copied : length);
}

std::string GetControlText(HWND root, int id) {
    return GetText(FindControl(root, id));
}

std::string GetStaticTexts(HWND root) {
    std::string text;
    EnumChildWindows(root, CollectStatics, reinterpret_cast<LPARAM>(&text));
    return text;
}

bool IsControlEnabled(HWND root, int id) {
    HWND control = FindControl(root, id);
    return control != nullptr && IsWindowEnabled(control);
}

bool IsControlVisible(HWND root, int id) {
    HWND control = FindControl(root, id);
    return control != nullptr && (GetWindowLongA(control, GWL_STYLE) & WS_VISIBLE);
}

RECT GetRect(HWND wnd) {
    RECT rect{};
    GetWindowRect(wnd, &rect);
    return rect;
}

bool Click(HWND root, int id) {
    HWND control = FindControl(root, id);
    if (control == nullptr)
        return false;
    HWND parent = GetParent(control);
    return PostMessageA(parent ? parent : root, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                        reinterpret_cast<LPARAM>(control)) != FALSE;
}

void PressKey(HWND wnd, UINT virtualKey) {
    UINT scan = MapVirtualKeyA(virtualKey, 0);
    PostMessageA(wnd, WM_KEYDOWN, virtualKey, 1 | (scan << 16));
    PostMessageA(wnd, WM_KEYUP, virtualKey, 1 | (scan << 16) | 0xC0000000u);
}

void Close(HWND wnd) {
    PostMessageA(wnd, WM_CLOSE, 0, 0);
}

namespace {

BOOL CALLBACK CloseFolderWindow(HWND wnd, LPARAM) {
    char className[64] = "";
    GetClassNameA(wnd, className, sizeof className);
    if (strcmp(className, "ExplorerWClass") == 0 || strcmp(className, "CabinetWClass") == 0)
        PostMessageA(wnd, WM_CLOSE, 0, 0);
    return TRUE;
}

} // namespace

void CloseFolderWindows() {
    EnumWindows(CloseFolderWindow, 0);
}

CHandle OpenExclusively(const std::string& path, DWORD timeoutMs) {
    CHandle file;
    WaitUntil(
        [&] {
            file.Reset(CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                   OPEN_EXISTING, 0, nullptr));
            return file.IsValid() || GetLastError() != ERROR_SHARING_VIOLATION;
        },
        timeoutMs);
    return file;
}

bool SaveScreenshot(const std::string& bmpPath) {
    int width = GetSystemMetrics(SM_CXSCREEN);
    int height = GetSystemMetrics(SM_CYSCREEN);
    CClientDC screen(nullptr);
    CMemoryDC memory(screen);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height; // bottom-up, as BMP files store it
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    CBitmap bitmap(CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (bitmap.IsNull() || bits == nullptr)
        return false;
    {
        CSelectObject select(memory, bitmap.Get());
        if (!BitBlt(memory, 0, 0, width, height, screen, 0, 0, SRCCOPY))
            return false;
    }
    GdiFlush();
    DWORD rowBytes = (static_cast<DWORD>(width) * 3 + 3) & ~3u;
    DWORD imageBytes = rowBytes * static_cast<DWORD>(height);
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42; // "BM"
    file.bfOffBits = sizeof file + sizeof info.bmiHeader;
    file.bfSize = file.bfOffBits + imageBytes;
    std::unique_ptr<FILE, int (*)(FILE*)> out(fopen(bmpPath.c_str(), "wb"), fclose);
    if (!out)
        return false;
    return fwrite(&file, sizeof file, 1, out.get()) == 1 &&
           fwrite(&info.bmiHeader, sizeof info.bmiHeader, 1, out.get()) == 1 &&
           fwrite(bits, imageBytes, 1, out.get()) == 1;
}

CProcess::~CProcess() {
    if (IsRunning())
        Terminate();
}

bool CProcess::Launch(const std::string& exePath, const std::string& arguments,
                      const std::string& workingDir) {
    std::string commandLine = "\"" + exePath + "\"";
    if (!arguments.empty())
        commandLine += " " + arguments;
    std::vector<char> buffer(commandLine.begin(), commandLine.end());
    buffer.push_back('\0');
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!CreateProcessA(exePath.c_str(), buffer.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        workingDir.empty() ? nullptr : workingDir.c_str(), &startup, &info))
        return false;
    CHandle thread(info.hThread);
    m_process.Reset(info.hProcess);
    m_id = info.dwProcessId;
    WaitForInputIdle(m_process.Get(), 10000);
    return true;
}

bool CProcess::Wait(DWORD timeoutMs, DWORD* exitCode) {
    if (!m_process.IsValid() || WaitForSingleObject(m_process.Get(), timeoutMs) != WAIT_OBJECT_0)
        return false;
    if (exitCode)
        GetExitCodeProcess(m_process.Get(), exitCode);
    return true;
}

bool CProcess::IsRunning() const {
    return m_process.IsValid() && WaitForSingleObject(m_process.Get(), 0) == WAIT_TIMEOUT;
}

void CProcess::Terminate() {
    if (m_process.IsValid()) {
        TerminateProcess(m_process.Get(), 255);
        WaitForSingleObject(m_process.Get(), 5000);
    }
}

void UseUnmanagedWindows() {
    SetRegistryText(HKEY_CURRENT_USER, "Software\\Wine\\X11 Driver", "Managed", "N");
}

} // namespace guidriver

#include "InProcess.h"

namespace guidriver {

BOOL CALLBACK CancelThreadWindow(HWND wnd, LPARAM) {
    // Dialogs and message boxes only: closing the background window would ask a question.
    if (ClassOf(wnd) == "#32770") {
        PostMessageA(wnd, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        PostMessageA(wnd, WM_COMMAND, MAKEWPARAM(IDNO, BN_CLICKED), 0);
    }
    return TRUE;
}

} // namespace guidriver
