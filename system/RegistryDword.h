// CRegistryDword: one REG_DWORD value bound to its place; read when constructed (readNow),
// written back when destroyed if SetValue changed it and writeBack is set. Win32 only; never
// throws. The shared-use counts of system files are kept in such values.
#pragma once

#include "system/RegistryKey.h"

#include <cstdint>
#include <string>

class CRegistryDword : public CRegistryKey {
public:
    CRegistryDword(HKEY root, const std::string& subkey, const std::string& valueName,
                   uint32_t defaultValue = 0, bool readNow = true, bool writeBack = true);
    ~CRegistryDword() override;

    // value := defaultValue, then the stored number when the key opens and the value is a
    // REG_DWORD. False when the key or the value is missing or of another type.
    bool Read(uint32_t defaultValue = 0);
    // Creates the key when none is open, then stores the number; modified is cleared.
    bool Write();

    uint32_t GetValue() const { return m_nValue; }
    void SetValue(uint32_t number);
    bool IsModified() const { return m_bModified; }

private:
    HKEY m_hRoot;
    std::string m_strSubkey;
    std::string m_strValueName;
    uint32_t m_nValue;
    bool m_bModified = false;
    bool m_bWriteBack;
};
