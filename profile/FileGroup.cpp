#include "profile/FileGroup.h"

#include "framework/Format.h"
#include "profile/ProfileFields.h"
#include "profile/ProfileKeyList.h"

#include <windows.h>

namespace {

const char kSection[] = "groups";

} // namespace

CFileGroup* CFileGroupMap::Lookup(const std::string& key) const {
    auto it = m_records.find(key);
    return it == m_records.end() ? nullptr : it->second.get();
}

void CFileGroupMap::LoadFromProfile(const CSetupPath& file) {
    ForEachProfileValue(file, kSection, [this](const std::string& key, const std::string& text) {
        auto group = std::make_unique<CFileGroup>();
        group->m_strKey = key;
        GetProfileField(group->m_strName, text, 0);
        GetProfileField(group->m_strDescription, text, 1);
        GetProfileFieldBool(group->m_bInMinimum, text, 2);
        GetProfileFieldBool(group->m_bInTypical, text, 3);
        GetProfileFieldBool(group->m_bInCustom, text, 4);
        m_records[key] = std::move(group);
    });
}

void CFileGroupMap::SaveToProfile(const CSetupPath& file) const {
    for (const auto& entry : m_records) {
        const CFileGroup& group = *entry.second;
        std::string value;
        FormatString(value, "%s|%s|%d|%d|%d", group.m_strName.c_str(),
                     group.m_strDescription.c_str(), group.m_bInMinimum, group.m_bInTypical,
                     group.m_bInCustom);
        WritePrivateProfileStringA(kSection, group.m_strKey.c_str(), value.c_str(),
                                   file.GetText().c_str());
    }
}

void CFileGroupMap::SelectForType(int type) {
    for (auto& entry : m_records) {
        CFileGroup& group = *entry.second;
        switch (type) {
        case 0:
            group.m_bSelected = 0;
            break;
        case 1:
            group.m_bSelected = group.m_bInMinimum;
            break;
        case 2:
            group.m_bSelected = group.m_bInTypical;
            break;
        case 3:
            group.m_bSelected = group.m_bInCustom;
            break;
        case 4:
            group.m_bSelected = 1;
            break;
        default:
            break;
        }
    }
}
