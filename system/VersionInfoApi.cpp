#include "system/VersionInfoApi.h"

#include "system/SystemLibrary.h"

namespace {

template <typename Proc> Proc Find(HMODULE module, const char* name) {
    return module ? reinterpret_cast<Proc>(reinterpret_cast<void*>(GetProcAddress(module, name)))
                  : nullptr;
}

} // namespace

const CVersionInfoApi& CVersionInfoApi::Get() {
    static const CVersionInfoApi api;
    return api;
}

CVersionInfoApi::CVersionInfoApi() : m_hModule(LoadSystemLibrary("version.dll")) {
    m_pfnSize = Find<SizeProc>(m_hModule, "GetFileVersionInfoSizeA");
    m_pfnInfo = Find<InfoProc>(m_hModule, "GetFileVersionInfoA");
    m_pfnQuery = Find<QueryProc>(m_hModule, "VerQueryValueA");
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
