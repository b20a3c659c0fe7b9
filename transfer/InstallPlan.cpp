#include "transfer/InstallPlan.h"

#include "profile/FileGroup.h"
#include "profile/ProfileFields.h"
#include "profile/ProfileKeyList.h"

#include <cstdlib>
#include <iterator>

void ParseFileListValue(CSetupMultiFile& record, const std::string& value) {
    int16_t number = 0;
    GetProfileFieldInt(record.m_nSize, value, 0);
    if (GetProfileFieldShort(number, value, 1))
        record.m_nKind = number;
    if (GetProfileFieldShort(number, value, 2))
        record.m_nFileCount = number;
    if (GetProfileFieldShort(number, value, 3)) {
        record.m_nDiskette = std::abs(static_cast<int32_t>(number));
        record.m_bAfterUnmarked = number < 0 ? 1 : 0;
    }
    if (GetProfileFieldShort(number, value, 4))
        record.m_nDestinationId = number;
    GetProfileField(record.m_strText, value, 5);
}

void CInstallPlan::Insert(std::unique_ptr<CSetupMultiFile> record) {
    auto comesAfter = [&record](const std::unique_ptr<CSetupMultiFile>& other) {
        if (other->m_nDiskette != record->m_nDiskette)
            return other->m_nDiskette > record->m_nDiskette;
        return other->m_bAfterUnmarked > record->m_bAfterUnmarked;
    };
    // Searched from the end: a profile lists its records mostly in order already.
    auto it = m_records.end();
    while (it != m_records.begin() && comesAfter(*std::prev(it)))
        --it;
    m_records.insert(it, std::move(record));
}

void CInstallPlan::LoadFileLists(const CSetupPath& profile, const CFileGroupMap& groups) {
    for (const auto& entry : groups.m_records) {
        CFileGroup* group = entry.second.get();
        auto addRecord = [this, group](const std::string& key, const std::string& text) {
            auto record = std::make_unique<CSetupMultiFile>();
            record->m_strSourceName = key;
            record->m_pGroup = group;
            ParseFileListValue(*record, text);
            Insert(std::move(record));
        };
        ForEachProfileValue(profile, group->m_strKey, addRecord);
    }
}

uint64_t CInstallPlan::SpaceNeeded(uint32_t clusterBytes, bool all) const {
    uint64_t total = 0;
    for (const auto& record : m_records) {
        if (all || record->IsSelected())
            total += record->SpaceNeeded(clusterBytes);
    }
    return total;
}
