// The Windows calls that RestartWindows makes, behind one replaceable object: the program
// uses the real ones; a test installs its own, so that no test can ever restart the
// computer (under Wine a real ExitWindowsEx carries out the pending renames at once).
#pragma once

#include "framework/ui/Handle.h"

#include <windows.h>

class CRestartServices {
public:
    virtual ~CRestartServices() = default;

    // GetVersionEx with the structure size 148: 1 for Windows 95, 2 for Windows NT.
    virtual DWORD GetPlatformId();
    virtual bool OpenProcessToken(DWORD access, CHandle& token);
    virtual bool LookupPrivilegeValue(const char* name, LUID& luid);
    // AdjustTokenPrivileges(token, FALSE, privileges, 0, none, none).
    virtual bool AdjustTokenPrivileges(HANDLE token, TOKEN_PRIVILEGES& privileges);
    virtual DWORD GetLastError();
    virtual BOOL ExitWindowsEx(UINT flags, DWORD reserved);
};

// Makes services the ones RestartWindows uses (null: the real ones) and returns the
// previous ones. services is not owned and must outlive its use.
CRestartServices* SetRestartServices(CRestartServices* services);
