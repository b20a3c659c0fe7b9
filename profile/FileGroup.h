// The groups of files of the install model (section "groups"): what the user would see as
// components. Each group's key also names the section that lists its files.
#pragma once

#include "transfer/SetupPath.h"

#include <map>
#include <memory>
#include <string>

class CFileGroup {
public:
    std::string m_strKey;
    std::string m_strName;
    std::string m_strDescription;
    int m_bSelected = 0; // set by SelectGroupsForType; never loaded or saved
    int m_bInMinimum = 0;
    int m_bInTypical = 0;
    int m_bInCustom = 0;
};

// Keys are exact (case-sensitive). Owns its records.
class CFileGroupMap {
public:
    CFileGroup* Lookup(const std::string& key) const;
    // Section "groups"; a missing section gives no groups.
    void LoadFromProfile(const CSetupPath& file);
    // Writes every group as "name|description|minimum|typical|custom".
    void SaveToProfile(const CSetupPath& file) const;
    // Setup type 0 clears every selected flag, 1/2/3 copy the minimum/typical/custom flag,
    // 4 selects all; other types change nothing.
    void SelectForType(int type);

    std::map<std::string, std::unique_ptr<CFileGroup>> m_records;
};
