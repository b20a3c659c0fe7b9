// Enumerates the keys of one INI section, in file order, through GetPrivateProfileString with
// a null key. Every reader in setup uses the same loop:
//     CProfileKeyList keys("section"); keys.SetFile(path);
//     CProfileValue value;
//     for (bool more = keys.First(value); more; more = keys.Next(value)) { value.Read(); ... }
// Nothing throws but memory allocation (std::bad_alloc).
#pragma once

#include "profile/ProfileValue.h"
#include "transfer/SetupPath.h"

#include <string>
#include <vector>

class CProfileKeyList {
public:
    explicit CProfileKeyList(const char* section = nullptr);
    ~CProfileKeyList() { Close(); }
    CProfileKeyList(const CProfileKeyList&) = delete;
    CProfileKeyList& operator=(const CProfileKeyList&) = delete;

    void SetSection(const std::string& section) { m_strSection = section; }
    void SetFile(const CSetupPath& file) { m_file = file; }
    // The file "<name>.<extension>" beside the setup program ("ini" when extension is null).
    void SetFile(const std::string& name, const char* extension = nullptr);

    // Reads the key list and hands out the first key: value receives section, file and key
    // (not the value: call value.Read()). False when the section has no key.
    bool First(CProfileValue& value);
    // The next key; false, with the list freed, when none is left.
    bool Next(CProfileValue& value);
    void Close();

private:
    bool HandOut(CProfileValue& value);

    CSetupPath m_file;
    std::string m_strSection;
    std::vector<char> m_buffer; // keys, each NUL-terminated, an empty key at the end
    size_t m_nCursor = 0;
};
