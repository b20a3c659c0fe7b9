// The program items (shortcuts) of the install model: section "targets". Each is keyed by
// the file name of the installed file it starts, in small letters; the copy engine fills in
// the path when it installs that file. Items without a path are neither created nor saved.
#pragma once

#include "transfer/SetupPath.h"

#include <cstdint>
#include <map>
#include <memory>
#include <string>

class CProgramItem {
public:
    std::string m_strKey;      // small letters
    int32_t m_nIconNumber = 0; // loaded from 16 bits
    int32_t m_nNumber2 = 0;    // kept and saved; nothing uses it
    int m_bRunMinimized = 0;
    std::string m_strTitle;
    std::string m_strArguments;
    std::string m_strIconFile; // relative to the install directory; empty for the program's own
    CSetupPath m_path;
};

// The system's lower-case form of a key (current code page).
std::string ProgramItemKey(const std::string& fileName);

// Owns its records.
class CProgramItemMap {
public:
    // The item for a file name in any mix of cases, or null.
    CProgramItem* Lookup(const std::string& fileName) const;
    // Section "targets"; a missing section gives no items.
    void LoadFromProfile(const CSetupPath& file);
    // Writes every item that has a path as "icon|number2|minimized|title|args|iconfile|path".
    void SaveToProfile(const CSetupPath& file) const;

    std::map<std::string, std::unique_ptr<CProgramItem>> m_records;
};
