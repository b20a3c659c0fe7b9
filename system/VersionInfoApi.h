// The version-information functions of the system directory's version.dll, loaded on first
// use and kept for the rest of the process. version.dll is not among the libraries Windows
// always takes from the system directory, so SETUP.EXE does not import it: a copy beside
// SETUP.EXE would be loaded in its place. Win32 only; nothing here throws.
#pragma once

#include <windows.h>

class CVersionInfoApi {
public:
    // The process's one instance; loads the library on the first call.
    static const CVersionInfoApi& Get();

    // False when the library or one of its functions is missing: every call then reports
    // "no version information".
    bool IsAvailable() const;
    // GetFileVersionInfoSizeA; 0 when the file has no version block.
    DWORD GetFileVersionInfoSize(const char* path) const;
    // GetFileVersionInfoA into block, which holds size bytes.
    bool GetFileVersionInfo(const char* path, DWORD size, void* block) const;
    // VerQueryValueA on a block read by GetFileVersionInfo.
    bool QueryValue(const void* block, const char* subBlock, void** value, UINT* length) const;

    CVersionInfoApi(const CVersionInfoApi&) = delete;
    CVersionInfoApi& operator=(const CVersionInfoApi&) = delete;

private:
    CVersionInfoApi();

    using SizeProc = DWORD(WINAPI*)(LPCSTR fileName, LPDWORD handle);
    using InfoProc = BOOL(WINAPI*)(LPCSTR fileName, DWORD handle, DWORD length, LPVOID data);
    using QueryProc = BOOL(WINAPI*)(LPCVOID block, LPCSTR subBlock, LPVOID* buffer, PUINT length);

    HMODULE m_hModule = nullptr; // never freed: the functions stay valid until exit
    SizeProc m_pfnSize = nullptr;
    InfoProc m_pfnInfo = nullptr;
    QueryProc m_pfnQuery = nullptr;
};
