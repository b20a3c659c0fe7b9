#include "profile/DisketteArray.h"

#include "profile/ProfileFields.h"
#include "profile/ProfileKeyList.h"

void CDisketteArray::SetAt(int n, const std::string& label, const std::string& second) {
    if (n < 0 || n > kLargestDiskette)
        return;
    if (static_cast<size_t>(n) >= m_entries.size())
        m_entries.resize(static_cast<size_t>(n) + 1);
    m_entries[static_cast<size_t>(n)] = std::make_unique<Entry>(label, second);
}

const CDisketteArray::Entry* CDisketteArray::GetAt(int n) const {
    if (n < 0 || static_cast<size_t>(n) >= m_entries.size())
        return nullptr;
    return m_entries[static_cast<size_t>(n)].get();
}

const std::string* CDisketteArray::GetLabel(int n) const {
    const Entry* entry = GetAt(n);
    return entry ? &entry->first : nullptr;
}

void CDisketteArray::LoadFromProfile(const CSetupPath& file) {
    ForEachProfileValue(file, "diskettes", [this](const std::string& key, const std::string& text) {
        std::string label, second;
        GetProfileField(label, text, 0);
        GetProfileField(second, text, 1);
        SetAt(ParseDecimal(key), label, second);
    });
}
