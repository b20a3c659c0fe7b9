#include "profile/ProgramItem.h"

#include "framework/Format.h"
#include "profile/ProfileFields.h"
#include "profile/ProfileKeyList.h"

#include <windows.h>

#include <vector>

namespace {

const char kSection[] = "targets";

} // namespace

std::string ProgramItemKey(const std::string& fileName) {
    if (fileName.empty())
        return fileName;
    std::vector<char> buffer(fileName.begin(), fileName.end());
    CharLowerBuffA(buffer.data(), static_cast<DWORD>(buffer.size()));
    return std::string(buffer.begin(), buffer.end());
}

CProgramItem* CProgramItemMap::Lookup(const std::string& fileName) const {
    auto it = m_records.find(ProgramItemKey(fileName));
    return it == m_records.end() ? nullptr : it->second.get();
}

void CProgramItemMap::LoadFromProfile(const CSetupPath& file) {
    ForEachProfileValue(file, kSection, [this](const std::string& key, const std::string& text) {
        auto item = std::make_unique<CProgramItem>();
        item->m_strKey = ProgramItemKey(key);
        int16_t number = 0;
        if (GetProfileFieldShort(number, text, 0))
            item->m_nIconNumber = number;
        number = 0;
        if (GetProfileFieldShort(number, text, 1))
            item->m_nNumber2 = number;
        GetProfileFieldBool(item->m_bRunMinimized, text, 2);
        GetProfileField(item->m_strTitle, text, 3);
        GetProfileField(item->m_strArguments, text, 4);
        GetProfileField(item->m_strIconFile, text, 5);
        std::string path;
        GetProfileField(path, text, 6);
        item->m_path = CSetupPath(path);
        m_records[item->m_strKey] = std::move(item);
    });
}

void CProgramItemMap::SaveToProfile(const CSetupPath& file) const {
    for (const auto& entry : m_records) {
        const CProgramItem& item = *entry.second;
        if (item.m_path.GetText().empty())
            continue;
        std::string value;
        FormatString(value, "%d|%d|%d|%s|%s|%s|%s", item.m_nIconNumber, item.m_nNumber2,
                     item.m_bRunMinimized, item.m_strTitle.c_str(), item.m_strArguments.c_str(),
                     item.m_strIconFile.c_str(), item.m_path.GetText().c_str());
        WritePrivateProfileStringA(kSection, item.m_strKey.c_str(), value.c_str(),
                                   file.GetText().c_str());
    }
}
