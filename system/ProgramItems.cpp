#include "system/ProgramItems.h"

#include "framework/CrashPoint.h"
#include "profile/ProgramItem.h"
#include "system/CommandText.h"
#include "system/ShortcutClient.h"

#include <windows.h>

namespace {

void Pump(MessagePump pump) {
    if (pump)
        pump();
}

std::string IconLocation(const CProgramItem& item, const CSetupPath& installDir) {
    if (item.m_strIconFile.empty())
        return std::string();
    return AsFolderText(installDir.GetText()) + item.m_strIconFile;
}

} // namespace

void CreateProgramItemsWith(CShortcutClient& client, const CProgramItemMap& items,
                            const std::string& group, const CSetupPath& installDir,
                            MessagePump pump) {
    for (const auto& entry : items.m_records) {
        const CProgramItem& item = *entry.second;
        if (item.m_path.GetText().empty())
            continue;
        const std::string icon = IconLocation(item, installDir);
        const int show = item.m_bRunMinimized ? SW_SHOWMINIMIZED : SW_SHOW;
        client.CreateShortcut(group, item.m_path.GetText(), item.m_strArguments, item.m_strTitle,
                              icon.c_str(), item.m_nIconNumber, nullptr, show, SW_SHOW);
        {
            CProgmanClient shower; // one conversation per item, as the shell expects
            shower.CreateGroup(group);
        }
        Pump(pump);
    }
}

void RemoveProgramItemsWith(CShortcutClient& client, const CProgramItemMap& items,
                            const std::string& group, MessagePump pump) {
    for (const auto& entry : items.m_records) {
        const CProgramItem& item = *entry.second;
        if (item.m_path.GetText().empty())
            continue;
        client.RemoveProgramItem(group, item.m_strTitle);
        PassCrashPoint(CrashPoint::kItemRemoved);
        Pump(pump);
    }
    // Older unattended installations recorded an empty group name: there is no group of the
    // product to remove then (the programs folder itself, or a nameless DeleteGroup, never).
    if (group.find_first_not_of(" \t") != std::string::npos) {
        client.RemoveGroup(group, 0);
        PassCrashPoint(CrashPoint::kItemRemoved);
    }
}

void CreateProgramItems(const CProgramItemMap& items, const std::string& group,
                        const CSetupPath& installDir, MessagePump pump) {
    CShortcutClient client;
    CreateProgramItemsWith(client, items, group, installDir, pump);
}

void RemoveProgramItems(const CProgramItemMap& items, const std::string& group, MessagePump pump) {
    CShortcutClient client;
    RemoveProgramItemsWith(client, items, group, pump);
}
