#include "system/RegistryDword.h"

CRegistryDword::CRegistryDword(HKEY root, const std::string& subkey, const std::string& valueName,
                               uint32_t defaultValue, bool readNow, bool writeBack)
    : m_hRoot(root), m_strSubkey(subkey), m_strValueName(valueName), m_nValue(defaultValue),
      m_bWriteBack(writeBack) {
    if (readNow)
        Read(defaultValue);
}

CRegistryDword::~CRegistryDword() {
    if (m_bModified && m_bWriteBack)
        Write();
}

bool CRegistryDword::Read(uint32_t defaultValue) {
    m_nValue = defaultValue;
    if (!Open(m_hRoot, m_strSubkey, KEY_ALL_ACCESS))
        return false;
    return QueryDword(m_strValueName, m_nValue);
}

bool CRegistryDword::Write() {
    if (!IsOpen() && !Create(m_hRoot, m_strSubkey, nullptr, KEY_ALL_ACCESS))
        return false;
    if (!SetDword(m_strValueName, m_nValue))
        return false;
    m_bModified = false;
    return true;
}

void CRegistryDword::SetValue(uint32_t number) {
    m_nValue = number;
    m_bModified = true;
}
