// Enumerates the keys of one INI section, in file order, through GetPrivateProfileString with
// a null key. The readers of whole sections go through ForEachProfileValue below, which runs
// the loop
//     CProfileKeyList keys("section"); keys.SetFile(path);
//     CProfileValue value;
//     for (bool more = keys.First(value); more; more = keys.Next(value)) { value.Read(); ... }
// Nothing throws but memory allocation (std::bad_alloc) and what a visitor throws.
#pragma once

#include "profile/ProfileValue.h"
#include "transfer/SetupPath.h"

#include <cstddef>
#include <functional>
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

// Calls visit(key, value) for every key of `section` in `file`, in file order; each value is
// read on its own (at most 254 characters, "" when it vanished meanwhile). Returns the number
// of keys visited: 0 when the file or the section is missing or empty.
size_t ForEachProfileValue(
    const CSetupPath& file, const std::string& section,
    const std::function<void(const std::string& key, const std::string& value)>& visit);

// The values of every key of the section, in file order.
std::vector<std::string> ReadSectionValues(const CSetupPath& file, const std::string& section);
