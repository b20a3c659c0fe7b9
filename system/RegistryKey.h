// CRegistryKey: one open registry key, with one operation per registry call. Win32 only.
//
// The object owns the key it opened or created and closes it when destroyed. No operation
// throws: each returns true when the registry call succeeded and keeps the call's result code
// as GetLastError() (0 = success). Predefined root keys (HKEY_LOCAL_MACHINE, ...) passed as
// `root` are never closed by this class.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

class CRegistryKey {
public:
    CRegistryKey() = default;
    CRegistryKey(const CRegistryKey&) = delete;
    CRegistryKey& operator=(const CRegistryKey&) = delete;
    virtual ~CRegistryKey();

    // RegOpenKeyEx; an open key is closed first.
    bool Open(HKEY root, const std::string& subkey, REGSAM access = KEY_ALL_ACCESS);
    // RegCreateKeyEx (non-volatile, no security attributes); an open key is closed first.
    bool Create(HKEY root, const std::string& subkey, const char* className = nullptr,
                REGSAM access = KEY_ALL_ACCESS);
    // RegDeleteKey(root, subkey): the key must have no subkeys; this object's key is not used.
    bool DeleteKey(HKEY root, const std::string& subkey);
    // True at once when no key is open; otherwise RegCloseKey, and the key is gone either way.
    bool Close();

    bool DeleteValue(const std::string& name);
    // Reads a REG_SZ value. A value of another type fails with last error 1804
    // (ERROR_INVALID_DATATYPE), one larger than 1 MB with 13 (ERROR_INVALID_DATA). The text
    // ends at the first zero of the stored data, or at its end when the data holds none.
    // `text` is untouched on every failure.
    bool QueryString(const std::string& name, std::string& text);
    bool SetString(const std::string& name, const std::string& text);
    // Reads a REG_DWORD value; another type (or a size other than 4 bytes) fails with 1804.
    // `number` is only written on success.
    bool QueryDword(const std::string& name, uint32_t& number);
    bool SetDword(const std::string& name, uint32_t number);

    bool IsOpen() const { return m_hKey != nullptr; }
    HKEY GetHandle() const { return m_hKey; }
    long GetLastError() const { return m_lLastError; }

protected:
    // Stores the result code and reports success.
    bool Result(long code);

private:
    HKEY m_hKey = nullptr;
    long m_lLastError = ERROR_SUCCESS;
};
