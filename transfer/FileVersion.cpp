#include "transfer/FileVersion.h"

#include "system/VersionInfoApi.h"

#include <windows.h>

#include <tuple>

bool CFileVersion::Load(const std::string& path) {
    m_block.clear();
    // Through version.dll of the system directory, never one beside SETUP.EXE.
    const CVersionInfoApi& api = CVersionInfoApi::Get();
    DWORD size = api.GetFileVersionInfoSize(path.c_str());
    if (size == 0)
        return false;
    m_block.assign(size + 1, 0);
    if (!api.GetFileVersionInfo(path.c_str(), size, m_block.data())) {
        m_block.clear();
        return false;
    }
    return true;
}

bool CFileVersion::GetVersion(uint16_t& major, uint16_t& minor, uint16_t& build,
                              uint16_t& revision) const {
    if (m_block.empty())
        return false;
    VS_FIXEDFILEINFO* info = nullptr;
    UINT length = 0;
    if (!CVersionInfoApi::Get().QueryValue(m_block.data(), "\\", reinterpret_cast<void**>(&info),
                                           &length) ||
        info == nullptr || length < sizeof(VS_FIXEDFILEINFO))
        return false;
    major = HIWORD(info->dwFileVersionMS);
    minor = LOWORD(info->dwFileVersionMS);
    build = HIWORD(info->dwFileVersionLS);
    revision = LOWORD(info->dwFileVersionLS);
    return true;
}

bool CFileVersion::IsNewerThan(const CFileVersion& other) const {
    uint16_t a[4] = {}, b[4] = {};
    if (!GetVersion(a[0], a[1], a[2], a[3]) || !other.GetVersion(b[0], b[1], b[2], b[3]))
        return false;
    return std::tie(a[0], a[1], a[2], a[3]) > std::tie(b[0], b[1], b[2], b[3]);
}
