// CShortcutClient: puts program items into one program group the way the running shell
// wants it. On the newer shell (IsNewShell) an item is a shortcut file "<title>.lnk" in the
// folder "<programs folder>\<group>"; on Windows NT 3.x it goes through Program Manager (the
// base class). The choice is made once, at construction. Listing the groups and showing a
// group always use Program Manager's DDE service, which the newer shell answers too.
// Win32 only. No operation throws; failures are false results.
#pragma once

#include "system/ComInterface.h"
#include "system/ProgmanClient.h"
#include "transfer/SetupPath.h"

#include <shobjidl.h>

#include <string>

// Under HKEY_CURRENT_USER; value "Programs" names the Start menu's programs folder.
constexpr char kShellFoldersKey[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

class CShortcutClient : public CProgmanClient {
public:
    // The shell of the running system and its programs folder: "Shell Folders"\"Programs",
    // or the Windows directory's "Start Menu\Programs" when that value is missing or empty.
    CShortcutClient();
    // A given shell kind and programs folder (tests, and callers that know better).
    CShortcutClient(bool useShellLinks, const CSetupPath& programsFolder);
    ~CShortcutClient() override;

    // New shell: deletes the item's shortcut file (read-only cleared first). Old shell:
    // Program Manager's DeleteItem.
    bool RemoveProgramItem(const std::string& group, const std::string& title) override;
    // New shell: removes the group folder, which succeeds only when it is empty. Old shell:
    // Program Manager's DeleteGroup.
    bool RemoveGroup(const std::string& group, int spare) override;

    // New shell: writes the shortcut (creating the group folder and its missing parents) with
    // target, arguments, title as description, the working directory (workingDir, or the
    // target's folder when null), the icon when iconPath is not empty, and a minimised show
    // command when position or showKind asks for it. True when the file was saved. The group
    // may hold subfolders ("A\B"); a group or title that would leave the programs folder (a
    // drive, "..", a path in the title) is refused. Old shell: AddProgramItem.
    virtual bool CreateShortcut(const std::string& group, const std::string& targetPath,
                                const std::string& arguments, const std::string& title,
                                const char* iconPath, int iconIndex, const char* workingDir,
                                int position, int showKind);

    bool UsesShellLinks() const { return m_bUseShellLinks; }
    // The programs folder, with a trailing backslash.
    const CSetupPath& GetProgramsFolder() const { return m_programsFolder; }
    CSetupPath GetGroupFolder(const std::string& group) const;
    CSetupPath GetShortcutPath(const std::string& group, const std::string& title) const;

private:
    // CoInitialize, a new shell link object and its persist-file interface.
    bool ObtainShellLink();
    bool WriteLink(const std::string& path, const std::string& targetPath,
                   const std::string& arguments, const std::string& title, const char* iconPath,
                   int iconIndex, const char* workingDir, bool minimized);

    bool m_bUseShellLinks;
    // Declared in this order so that the persist-file interface is released first.
    CComInterface<IShellLinkA> m_pShellLink;
    CComInterface<IPersistFile> m_pPersistFile;
    CSetupPath m_programsFolder;
};
