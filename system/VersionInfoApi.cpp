#include "system/VersionInfoApi.h"

#include "framework/ui/LoadedLibrary.h"
#include "framework/ui/SystemLibrary.h"

const CVersionInfoApi& CVersionInfoApi::Get() {
    static const CVersionInfoApi api;
    return api;
}

CVersionInfoApi::CVersionInfoApi() : m_hModule(LoadSystemLibrary("version.dll")) {
    m_pfnSize = FindProc<SizeProc>(m_hModule, "GetFileVersionInfoSizeA");
    m_pfnInfo = FindProc<InfoProc>(m_hModule, "GetFileVersionInfoA");
    m_pfnQuery = FindProc<QueryProc>(m_hModule, "VerQueryValueA");
}

bool CVersionInfoApi::IsAvailable() const {
    return m_pfnSize && m_pfnInfo && m_pfnQuery;
}

DWORD CVersionInfoApi::GetFileVersionInfoSize(const char* path) const {
    DWORD handle = 0;
    return IsAvailable() ? m_pfnSize(path, &handle) : 0;
}

bool CVersionInfoApi::GetFileVersionInfo(const char* path, DWORD size, void* block) const {
    return IsAvailable() && m_pfnInfo(path, 0, size, block) != FALSE;
}

bool CVersionInfoApi::QueryValue(const void* block, const char* subBlock, void** value,
                                 UINT* length) const {
    return IsAvailable() && m_pfnQuery(block, subBlock, value, length) != FALSE;
}
