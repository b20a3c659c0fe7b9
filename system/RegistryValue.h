// CRegistryValue<T>: one registry value bound to its place (root, subkey, value name): a
// REG_SZ text (CRegistryString, RegistryString.h) or a REG_DWORD number (CRegistryDword,
// RegistryDword.h). It reads the value when constructed (readNow) and, with writeBack, writes
// it when destroyed if SetValue changed it; a value that was only read is never written. The
// shared-use counts of system files are kept in such numbers. Win32 only; never throws.
#pragma once

#include "system/RegistryKey.h"

#include <cstdint>
#include <string>

template <class T> class CRegistryValue : public CRegistryKey {
public:
    // An empty valueName names the key's default value.
    CRegistryValue(HKEY root, const std::string& subkey, const std::string& valueName,
                   const T& defaultValue = T(), bool readNow = true, bool writeBack = true)
        : m_hRoot(root), m_strSubkey(subkey), m_strValueName(valueName), m_value(defaultValue),
          m_bWriteBack(writeBack) {
        if (readNow)
            Read(defaultValue);
    }
    ~CRegistryValue() override {
        if (m_bModified && m_bWriteBack)
            Write();
    }

    // value := defaultValue, then the stored value when the key opens and the value has the
    // right type. False when the key or the value is missing or of another type (the default
    // stays). The key stays open for a later Write().
    bool Read(const T& defaultValue = T()) {
        m_value = defaultValue;
        if (!Open(m_hRoot, m_strSubkey, KEY_ALL_ACCESS))
            return false;
        return Query(m_value);
    }
    // Creates the key when none is open, then stores the value; modified is cleared.
    bool Write() {
        if (!IsOpen() && !Create(m_hRoot, m_strSubkey, nullptr, KEY_ALL_ACCESS))
            return false;
        if (!Store(m_value))
            return false;
        m_bModified = false;
        return true;
    }

    const T& GetValue() const { return m_value; }
    void SetValue(const T& value) {
        m_value = value;
        m_bModified = true;
    }
    bool IsModified() const { return m_bModified; }

private:
    bool Query(std::string& text) { return QueryString(m_strValueName, text); }
    bool Query(uint32_t& number) { return QueryDword(m_strValueName, number); }
    bool Store(const std::string& text) { return SetString(m_strValueName, text); }
    bool Store(uint32_t number) { return SetDword(m_strValueName, number); }

    HKEY m_hRoot;
    std::string m_strSubkey;
    std::string m_strValueName;
    T m_value;
    bool m_bModified = false;
    bool m_bWriteBack;
};
