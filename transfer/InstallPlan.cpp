#include "transfer/InstallPlan.h"

#include "profile/FileGroup.h"
#include "profile/FileListRecord.h"
#include "profile/ProfileKeyList.h"

#include <iterator>

void ParseFileListValue(CSetupMultiFile& record, const std::string& value) {
    // Read over the record's own values: a field the value lacks keeps its value.
    CFileListRecord fields;
    fields.m_nSize = record.m_nSize;
    fields.m_nKind = record.m_nKind;
    fields.m_nFileCount = record.m_nFileCount;
    fields.m_nDiskette = record.m_nDiskette;
    fields.m_bAfterUnmarked = record.m_bAfterUnmarked;
    fields.m_nDestinationId = record.m_nDestinationId;
    ParseFileListRecord(fields, value);
    record.m_nSize = fields.m_nSize;
    record.m_nKind = fields.m_nKind;
    record.m_nFileCount = fields.m_nFileCount;
    record.m_nDiskette = fields.m_nDiskette;
    record.m_bAfterUnmarked = fields.m_bAfterUnmarked;
    record.m_nDestinationId = fields.m_nDestinationId;
    record.m_strText = fields.m_strText;
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
