#include "profile/Destination.h"

#include "framework/Format.h"
#include "profile/InstallProfileException.h"
#include "profile/ProfileFields.h"
#include "profile/ProfileKeyList.h"

#include <windows.h>

namespace {

const char kSection[] = "destinations";

} // namespace

bool CDestination::Resolve(bool force) {
    if (m_nParentId == kDestNone)
        return true;
    if (!m_path.GetText().empty() && !force)
        return true;
    const CDestination* parent = m_pOwner->Lookup(m_nParentId);
    if (!parent || parent->m_path.GetText().empty())
        return false;
    CSetupPath path(parent->m_path);
    path.AppendSubdirectory(m_strName);
    m_path = path;
    return true;
}

CDestinationMap::CDestinationMap() {
    const struct {
        int16_t id;
        int root;
    } roots[] = {
        {kDestWindows, kRootWindowsDir}, {kDestSystem, kRootSystemDir}, {kDestTemp, kRootTempDir}};
    for (const auto& root : roots)
        FindOrCreate(root.id).m_path = CSetupPath(root.root);
}

CDestination* CDestinationMap::Lookup(int16_t id) const {
    auto it = m_records.find(id);
    return it == m_records.end() ? nullptr : it->second.get();
}

CDestination& CDestinationMap::FindOrCreate(int16_t id) {
    std::unique_ptr<CDestination>& record = m_records[id];
    if (!record)
        record = std::make_unique<CDestination>(id, this);
    return *record;
}

void CDestinationMap::SetPath(int16_t id, const std::string& text) {
    FindOrCreate(id).m_path = CSetupPath(text);
}

void CDestinationMap::SetEntry(int16_t id, const std::string& name, int16_t parentId) {
    CDestination& record = FindOrCreate(id);
    record.m_strName = name;
    record.m_nParentId = parentId;
}

std::string CDestinationMap::GetPath(int16_t id) const {
    const CDestination* record = Lookup(id);
    return record ? record->m_path.GetText() : std::string();
}

std::string CDestinationMap::GetName(int16_t id) const {
    const CDestination* record = Lookup(id);
    return record ? record->m_strName : std::string();
}

int CDestinationMap::ResolveAll() {
    const size_t passes = m_records.size();
    for (size_t pass = 1; pass <= passes; ++pass) {
        bool all = true;
        // Every record gets its call, even after a failure: a later one may be a parent.
        for (auto& entry : m_records)
            all = entry.second->Resolve(false) && all;
        if (all)
            return static_cast<int>(pass);
    }
    throw CInstallProfileException(kProfileUnresolved);
}

void CDestinationMap::LoadFromProfile(const CSetupPath& file) {
    auto loadRecord = [this](const std::string& key, const std::string& text) {
        std::string name, path;
        int16_t parentId = kDestNone;
        GetProfileField(name, text, 0);
        GetProfileFieldShort(parentId, text, 1);
        GetProfileField(path, text, 2);
        int16_t id = LowShort(ParseDecimal(key));
        SetEntry(id, name, parentId);
        SetPath(id, path);
    };
    if (ForEachProfileValue(file, kSection, loadRecord) == 0)
        throw CInstallProfileException(kProfileMissing);
}

void CDestinationMap::SaveToProfile(const CSetupPath& file) const {
    for (const auto& entry : m_records) {
        const CDestination& record = *entry.second;
        if (record.m_nId < 0)
            continue;
        std::string key, value;
        FormatString(key, "%d", record.m_nId);
        FormatString(value, "%s|%d|%s", record.m_strName.c_str(), record.m_nParentId,
                     record.m_path.GetText().c_str());
        WritePrivateProfileStringA(kSection, key.c_str(), value.c_str(), file.GetText().c_str());
    }
}
