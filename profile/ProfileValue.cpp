#include "profile/ProfileValue.h"

#include <windows.h>

namespace {

constexpr DWORD kValueBufferSize = 256;

} // namespace

CSetupPath DefaultProfileFile() {
    char module[kMaxPath + 1] = {};
    GetModuleFileNameA(nullptr, module, kMaxPath);
    CSetupPath program(module);
    // A bare file name: the private-profile functions then use the Windows directory.
    return CSetupPath(program.GetTitle() + ".INI");
}

CProfileEntry::CProfileEntry(const std::string& section, const std::string& key,
                             const CSetupPath& file, int writeOnDestroy, int readOnCreate)
    : m_bWriteOnDestroy(writeOnDestroy), m_bReadOnCreate(readOnCreate), m_strSection(section),
      m_strKey(key), m_file(file) {}

std::string CProfileEntry::EffectiveFile() {
    if (m_file.GetText().empty())
        m_file = DefaultProfileFile();
    return m_file.GetText();
}

CProfileValue::CProfileValue(const std::string& defaultValue, const std::string& section,
                             const std::string& key, const CSetupPath& file, int writeOnDestroy,
                             int readOnCreate)
    : CProfileEntry(section, key, file, writeOnDestroy, readOnCreate), m_strValue(defaultValue) {
    if (m_bReadOnCreate && !m_strSection.empty() && !m_strKey.empty())
        Read();
}

CProfileValue::~CProfileValue() {
    if (m_bWriteOnDestroy && IsModified())
        Write();
}

bool CProfileValue::Read() {
    const std::string file = EffectiveFile();
    char buffer[kValueBufferSize] = {};
    // One less than the buffer, as the program always did: values are cut to 254 characters.
    DWORD length =
        GetPrivateProfileStringA(m_strSection.c_str(), m_strKey.c_str(), m_strValue.c_str(), buffer,
                                 kValueBufferSize - 1, file.c_str());
    if (length >= kValueBufferSize)
        length = kValueBufferSize - 1;
    buffer[length] = '\0';
    m_strValue.assign(buffer, length);
    m_strLastRead = m_strValue;
    return length > 0;
}

bool CProfileValue::Write() {
    const std::string file = EffectiveFile();
    return WritePrivateProfileStringA(m_strSection.c_str(), m_strKey.c_str(), m_strValue.c_str(),
                                      file.c_str()) != FALSE;
}
