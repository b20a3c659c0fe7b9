#include "system/RegistryKey.h"

#include <vector>

namespace {

// The texts this program keeps in the registry are paths and names: a value that claims to
// be larger is refused rather than allocated (and size + 1 can never wrap).
constexpr DWORD kLargestText = 1u << 20;

} // namespace

CRegistryKey::~CRegistryKey() {
    Close();
}

bool CRegistryKey::Result(long code) {
    m_lLastError = code;
    return code == ERROR_SUCCESS;
}

bool CRegistryKey::Open(HKEY root, const std::string& subkey, REGSAM access) {
    Close();
    HKEY key = nullptr;
    if (!Result(RegOpenKeyExA(root, subkey.c_str(), 0, access, &key)))
        return false;
    m_hKey = key;
    return true;
}

bool CRegistryKey::Create(HKEY root, const std::string& subkey, const char* className,
                          REGSAM access) {
    Close();
    HKEY key = nullptr;
    DWORD disposition = 0;
    if (!Result(RegCreateKeyExA(root, subkey.c_str(), 0, const_cast<char*>(className),
                                REG_OPTION_NON_VOLATILE, access, nullptr, &key, &disposition)))
        return false;
    m_hKey = key;
    return true;
}

bool CRegistryKey::DeleteKey(HKEY root, const std::string& subkey) {
    return Result(RegDeleteKeyA(root, subkey.c_str()));
}

bool CRegistryKey::Close() {
    if (!m_hKey)
        return true;
    HKEY key = m_hKey;
    m_hKey = nullptr;
    return Result(RegCloseKey(key));
}

bool CRegistryKey::DeleteValue(const std::string& name) {
    return Result(RegDeleteValueA(m_hKey, name.c_str()));
}

bool CRegistryKey::QueryString(const std::string& name, std::string& text) {
    DWORD type = 0;
    DWORD size = 0;
    if (!Result(RegQueryValueExA(m_hKey, name.c_str(), nullptr, &type, nullptr, &size)))
        return false;
    if (type != REG_SZ)
        return Result(ERROR_INVALID_DATATYPE);
    if (size > kLargestText)
        return Result(ERROR_INVALID_DATA);
    // One spare zero after the data: stored text without a terminator still ends inside the
    // buffer. A value that grew between the two calls fails with ERROR_MORE_DATA.
    std::vector<char> buffer(size + 1, '\0');
    DWORD got = size;
    if (!Result(RegQueryValueExA(m_hKey, name.c_str(), nullptr, &type,
                                 reinterpret_cast<BYTE*>(buffer.data()), &got)))
        return false;
    if (type != REG_SZ)
        return Result(ERROR_INVALID_DATATYPE);
    text.assign(buffer.data()); // up to the first zero, which lies within size + 1
    return true;
}

bool CRegistryKey::SetString(const std::string& name, const std::string& text) {
    return Result(RegSetValueExA(m_hKey, name.c_str(), 0, REG_SZ,
                                 reinterpret_cast<const BYTE*>(text.c_str()),
                                 static_cast<DWORD>(text.size() + 1)));
}

bool CRegistryKey::QueryDword(const std::string& name, uint32_t& number) {
    DWORD type = 0;
    DWORD value = 0;
    DWORD size = sizeof value;
    if (!Result(RegQueryValueExA(m_hKey, name.c_str(), nullptr, &type,
                                 reinterpret_cast<BYTE*>(&value), &size))) {
        // A longer value of another type reports ERROR_MORE_DATA; the type decides.
        if (m_lLastError == ERROR_MORE_DATA && type != REG_DWORD)
            Result(ERROR_INVALID_DATATYPE);
        return false;
    }
    if (type != REG_DWORD || size != sizeof value)
        return Result(ERROR_INVALID_DATATYPE);
    number = value;
    return true;
}

bool CRegistryKey::SetDword(const std::string& name, uint32_t number) {
    DWORD value = number;
    return Result(RegSetValueExA(m_hKey, name.c_str(), 0, REG_DWORD,
                                 reinterpret_cast<const BYTE*>(&value), sizeof value));
}
