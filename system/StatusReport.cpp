#include "system/StatusReport.h"

#include "framework/ui/LoadedLibrary.h"
#include "framework/ui/SystemLibrary.h"
#include "system/RestartServices.h"

#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

// As the systems-management SDK declares it.
using InstallStatusMifProc = BOOL(WINAPI*)(LPSTR statusFileName, LPSTR manufacturer, LPSTR product,
                                           LPSTR version, LPSTR locale, LPSTR serialNumber,
                                           LPSTR description, BOOL success);

// The library lives in the system directory, where the systems-management client installs
// it. Loading it by bare name would search the setup program's own folder first, a
// download folder or a network share where anyone could have put a library of that name.
const char kStatusLibrary[] = "ismif32.dll";

// The function takes non-const strings: it gets copies it may write to.
class CArgument {
public:
    explicit CArgument(const char* text) : m_bNull(text == nullptr) {
        if (text)
            m_buffer.assign(text, text + strlen(text) + 1);
    }
    LPSTR Get() { return m_bNull ? nullptr : m_buffer.data(); }

private:
    bool m_bNull;
    std::vector<char> m_buffer;
};

CRestartServices g_realServices;
CRestartServices* g_pServices = &g_realServices;

} // namespace

bool WriteStatusMif(const char* statusFileName, const char* manufacturer, const char* product,
                    const char* version, const char* locale, const char* serialNumber,
                    const char* description, int success) {
    CLoadedLibrary library(LoadSystemLibrary(kStatusLibrary));
    if (!library.IsLoaded())
        return false;
    auto installStatusMif = library.Find<InstallStatusMifProc>("InstallStatusMIF");
    if (!installStatusMif)
        return false;
    CArgument args[] = {CArgument(statusFileName), CArgument(manufacturer), CArgument(product),
                        CArgument(version),        CArgument(locale),       CArgument(serialNumber),
                        CArgument(description)};
    return installStatusMif(args[0].Get(), args[1].Get(), args[2].Get(), args[3].Get(),
                            args[4].Get(), args[5].Get(), args[6].Get(),
                            success ? TRUE : FALSE) != FALSE;
}

DWORD CRestartServices::GetPlatformId() {
    OSVERSIONINFOA info = {};
    info.dwOSVersionInfoSize = sizeof info; // 148
    if (!::GetVersionExA(&info))
        return 0;
    return info.dwPlatformId;
}

bool CRestartServices::OpenProcessToken(DWORD access, CHandle& token) {
    HANDLE handle = nullptr;
    if (!::OpenProcessToken(::GetCurrentProcess(), access, &handle))
        return false;
    token.Reset(handle);
    return true;
}

bool CRestartServices::LookupPrivilegeValue(const char* name, LUID& luid) {
    return ::LookupPrivilegeValueA(nullptr, name, &luid) != FALSE;
}

bool CRestartServices::AdjustTokenPrivileges(HANDLE token, TOKEN_PRIVILEGES& privileges) {
    return ::AdjustTokenPrivileges(token, FALSE, &privileges, 0, nullptr, nullptr) != FALSE;
}

DWORD CRestartServices::GetLastError() {
    return ::GetLastError();
}

BOOL CRestartServices::ExitWindowsEx(UINT flags, DWORD reserved) {
    return ::ExitWindowsEx(flags, reserved);
}

CRestartServices* SetRestartServices(CRestartServices* services) {
    CRestartServices* previous = g_pServices;
    g_pServices = services ? services : &g_realServices;
    return previous;
}

int RestartWindows() {
    CRestartServices& system = *g_pServices;
    if (system.GetPlatformId() == VER_PLATFORM_WIN32_NT) {
        CHandle token;
        if (!system.OpenProcessToken(TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, token))
            return 0;
        TOKEN_PRIVILEGES privileges = {};
        system.LookupPrivilegeValue(SE_SHUTDOWN_NAME, privileges.Privileges[0].Luid);
        privileges.PrivilegeCount = 1;
        privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
        system.AdjustTokenPrivileges(token.Get(), privileges);
        // Success leaves 0; ERROR_NOT_ALL_ASSIGNED means the user may not shut down.
        DWORD error = system.GetLastError();
        if (error != 0)
            return static_cast<int>(error);
    }
    return system.ExitWindowsEx(EWX_REBOOT, 0);
}
