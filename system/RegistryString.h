// CRegistryString: one REG_SZ value bound to its place (root, subkey, value name). It reads
// the value when constructed (readNow) and, with writeBack, writes it when destroyed if
// SetValue changed it; a value that was only read is never written. Win32 only; never throws.
#pragma once

#include "system/RegistryKey.h"

#include <string>

class CRegistryString : public CRegistryKey {
public:
    // An empty valueName names the key's default value.
    CRegistryString(HKEY root, const std::string& subkey, const std::string& valueName,
                    const std::string& defaultValue = std::string(), bool readNow = true,
                    bool writeBack = true);
    ~CRegistryString() override;

    // value := defaultValue, then the stored value when the key opens and the value is a
    // string. False when the key or the value is missing (the default stays). The key
    // stays open for a later Write().
    bool Read(const std::string& defaultValue = std::string());
    // Creates the key when none is open, then stores the value; modified is cleared.
    bool Write();

    const std::string& GetValue() const { return m_strValue; }
    void SetValue(const std::string& text);
    bool IsModified() const { return m_bModified; }

private:
    HKEY m_hRoot;
    std::string m_strSubkey;
    std::string m_strValueName;
    std::string m_strValue;
    bool m_bModified = false;
    bool m_bWriteBack;
};
