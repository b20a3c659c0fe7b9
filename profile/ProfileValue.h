// One key of an INI file, read and written through the private-profile functions.
// CProfileValue never throws; failures show as false results.
#pragma once

#include "transfer/SetupPath.h"

#include <string>

// The file used when none is set: the program's per-application profile, "<program title>.INI",
// which the private-profile functions look for in the Windows directory.
CSetupPath DefaultProfileFile();

// Section, key and file of one INI entry; the concrete class holds the value.
class CProfileEntry {
public:
    CProfileEntry() = default;
    CProfileEntry(const std::string& section, const std::string& key, const CSetupPath& file,
                  int writeOnDestroy, int readOnCreate);
    virtual ~CProfileEntry() = default;

    virtual bool IsModified() const = 0;
    virtual bool Read() = 0;
    virtual bool Write() = 0;

    void SetSection(const std::string& section) { m_strSection = section; }
    void SetKey(const std::string& key) { m_strKey = key; }
    void SetFile(const CSetupPath& file) { m_file = file; }
    const std::string& GetSection() const { return m_strSection; }
    const std::string& GetKey() const { return m_strKey; }
    const CSetupPath& GetFile() const { return m_file; }

protected:
    // The file to hand to the private-profile functions (DefaultProfileFile when empty).
    std::string EffectiveFile();

    int m_bWriteOnDestroy = 0; // the destructor writes a changed value back
    int m_bReadOnCreate = 0;
    std::string m_strSection;
    std::string m_strKey;
    CSetupPath m_file;
};

// The text value of one key. Before the first Read() the value is the default given to the
// constructor; Read() uses it as the default of the lookup.
class CProfileValue : public CProfileEntry {
public:
    CProfileValue() = default;
    // Reads at once when readOnCreate is set and both section and key are non-empty.
    CProfileValue(const std::string& defaultValue, const std::string& section,
                  const std::string& key, const CSetupPath& file, int writeOnDestroy,
                  int readOnCreate);
    // Writes the value back when writeOnDestroy is set and it changed since the last read.
    ~CProfileValue() override;

    bool IsModified() const override { return m_strValue != m_strLastRead; }
    // Reads at most 254 characters; true when the text read is not empty.
    bool Read() override;
    // WritePrivateProfileString; true on success.
    bool Write() override;

    const std::string& GetValue() const { return m_strValue; }
    void SetValue(const std::string& value) { m_strValue = value; }

private:
    std::string m_strValue;
    std::string m_strLastRead;
};
