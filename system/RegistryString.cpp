#include "system/RegistryString.h"

CRegistryString::CRegistryString(HKEY root, const std::string& subkey, const std::string& valueName,
                                 const std::string& defaultValue, bool readNow, bool writeBack)
    : m_hRoot(root), m_strSubkey(subkey), m_strValueName(valueName), m_strValue(defaultValue),
      m_bWriteBack(writeBack) {
    if (readNow)
        Read(defaultValue);
}

CRegistryString::~CRegistryString() {
    if (m_bModified && m_bWriteBack)
        Write();
}

bool CRegistryString::Read(const std::string& defaultValue) {
    m_strValue = defaultValue;
    if (!Open(m_hRoot, m_strSubkey, KEY_ALL_ACCESS))
        return false;
    return QueryString(m_strValueName, m_strValue);
}

bool CRegistryString::Write() {
    if (!IsOpen() && !Create(m_hRoot, m_strSubkey, nullptr, KEY_ALL_ACCESS))
        return false;
    if (!SetString(m_strValueName, m_strValue))
        return false;
    m_bModified = false;
    return true;
}

void CRegistryString::SetValue(const std::string& text) {
    m_strValue = text;
    m_bModified = true;
}
