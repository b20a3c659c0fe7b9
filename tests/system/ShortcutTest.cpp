// Shortcuts and program groups against Wine's real shell, in a prefix of each Windows
// version: default (NT, new shell), win95 (new shell) and nt351 (Program Manager).
#include "ShellLinkReader.h"
#include "TestFiles.h"
#include "WindowsTestSupport.h"

#include "framework/ui/Handle.h"
#include "profile/ProgramItem.h"
#include "system/ProgramItems.h"
#include "system/ShortcutClient.h"
#include "system/WindowsVersion.h"

#include <gtest/gtest.h>
#include <shlobj.h>
#include <shlwapi.h>

#include <cstdlib>
#include <thread>

namespace {

std::string PrefixVersion() {
    const char* version = getenv("SHIFTWELL_WINVER");
    return version ? version : "";
}

TEST(WindowsVersion, MatchesThePrefix) {
    const std::string version = PrefixVersion();
    EXPECT_EQ(IsWindowsNT(), version != "win95");
    EXPECT_EQ(IsNewShell(), version != "nt351");
    EXPECT_EQ(CShortcutClient().UsesShellLinks(), IsNewShell());
}

struct TitleSearch {
    const std::string* title;
    int found;
};

BOOL CALLBACK CloseIfTitled(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<TitleSearch*>(param);
    char text[256] = "";
    GetWindowTextA(window, text, sizeof text);
    if (*search->title == text) {
        PostMessageA(window, WM_CLOSE, 0, 0);
        ++search->found;
    }
    return TRUE;
}

// Closes the windows that the shell opens to show a group: waits up to waitMs for the first
// window with this title, then asks every such window to close.
void CloseShellWindows(const std::string& title, DWORD waitMs) {
    const DWORD start = GetTickCount();
    while (!FindWindowA(nullptr, title.c_str()) && GetTickCount() - start < waitMs)
        Sleep(50);
    TitleSearch search{&title, 0};
    EnumWindows(CloseIfTitled, reinterpret_cast<LPARAM>(&search));
}

class NewShellTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!IsNewShell())
            GTEST_SKIP() << "Program Manager holds the items on this version";
        m_target = m_install.Path("shift.exe");
        WriteFileBytes(m_target, "MZ");
    }
    CScratchFolder m_programs;
    CScratchFolder m_install;
    std::string m_target;
};

TEST_F(NewShellTest, ShortcutHoldsTargetArgumentsAndTheItemsSettings) {
    CShortcutClient client(true, CSetupPath(m_programs.Folder()));
    const std::string icon = m_install.Path("shift.ico");
    ASSERT_TRUE(client.CreateShortcut("Corvatek\\Shiftwell", m_target, "/-safe", "Shiftwell",
                                      icon.c_str(), 2, nullptr, SW_SHOWMINIMIZED, SW_SHOW));
    const std::string file = m_programs.Path("Corvatek\\Shiftwell\\Shiftwell.lnk");
    ASSERT_TRUE(FileExists(file));
    ShellLinkContents link = ReadShellLink(file);
    ASSERT_TRUE(link.loaded);
    EXPECT_EQ(lstrcmpiA(link.path.c_str(), m_target.c_str()), 0) << link.path;
    EXPECT_EQ(link.arguments, "/-safe");
    EXPECT_EQ(link.description, "Shiftwell");
    EXPECT_EQ(lstrcmpiA((link.workingDir + "\\").c_str(), m_install.Folder().c_str()), 0)
        << link.workingDir;
    EXPECT_EQ(link.iconPath, icon);
    EXPECT_EQ(link.iconIndex, 2);
    EXPECT_EQ(link.showCommand, SW_SHOWMINNOACTIVE);
}

TEST_F(NewShellTest, RepeatedItemReplacesItsShortcut) {
    CShortcutClient client(true, CSetupPath(m_programs.Folder()));
    ASSERT_TRUE(client.CreateShortcut("G", m_target, "/a", "Item", "", 0, nullptr, SW_SHOW, 5));
    ASSERT_TRUE(client.CreateShortcut("G", m_target, "/b", "Item", "", 0, nullptr, SW_SHOW, 5));
    ShellLinkContents link = ReadShellLink(m_programs.Path("G\\Item.lnk"));
    EXPECT_EQ(link.arguments, "/b");
    EXPECT_EQ(link.showCommand, SW_SHOWNORMAL);
}

TEST_F(NewShellTest, GroupFolderIsRemovedOnlyWhenEmpty) {
    CShortcutClient client(true, CSetupPath(m_programs.Folder()));
    ASSERT_TRUE(client.CreateShortcut("Group", m_target, "", "Item", "", 0, nullptr, 5, 5));
    WriteFileBytes(m_programs.Path("Group\\other.lnk"), "x");
    SetFileAttributesA(m_programs.Path("Group\\Item.lnk").c_str(), FILE_ATTRIBUTE_READONLY);

    EXPECT_TRUE(client.RemoveProgramItem("Group", "Item"));
    EXPECT_FALSE(FileExists(m_programs.Path("Group\\Item.lnk")));
    EXPECT_FALSE(client.RemoveGroup("Group", 0));
    EXPECT_TRUE(FolderExists(m_programs.Path("Group")));

    DeleteFileA(m_programs.Path("Group\\other.lnk").c_str());
    EXPECT_TRUE(client.RemoveGroup("Group", 0));
    EXPECT_FALSE(FolderExists(m_programs.Path("Group")));
}

// The shell reading a link (an open folder window refreshing) holds it for a moment: the
// removal waits for it, but not for a link that stays held.
TEST_F(NewShellTest, RemovalWaitsForALinkTheShellIsReading) {
    CShortcutClient client(true, CSetupPath(m_programs.Folder()));
    ASSERT_TRUE(client.CreateShortcut("Group", m_target, "", "Item", "", 0, nullptr, 5, 5));
    const std::string link = m_programs.Path("Group\\Item.lnk");
    auto holdLink = [&link] {
        return CreateFileA(link.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                           nullptr);
    };

    CHandle held(holdLink());
    ASSERT_TRUE(held.IsValid());
    std::thread reader([&held] {
        Sleep(300);
        held.Reset();
    });
    EXPECT_TRUE(client.RemoveProgramItem("Group", "Item"));
    reader.join();
    EXPECT_FALSE(FileExists(link));

    ASSERT_TRUE(client.CreateShortcut("Group", m_target, "", "Item", "", 0, nullptr, 5, 5));
    held.Reset(holdLink());
    ASSERT_TRUE(held.IsValid());
    const DWORD start = GetTickCount();
    EXPECT_FALSE(client.RemoveProgramItem("Group", "Item"));
    EXPECT_LT(GetTickCount() - start, 10000u) << "a link held for good must not stall removal";
    EXPECT_FALSE(client.RemoveGroup("Group", 0));
    held.Reset();
    EXPECT_TRUE(FileExists(link));
    EXPECT_TRUE(client.RemoveProgramItem("Group", "Item"));
    EXPECT_TRUE(client.RemoveGroup("Group", 0));
}

TEST_F(NewShellTest, NamesThatLeaveTheProgramsFolderAreRefused) {
    CShortcutClient client(true, CSetupPath(m_install.Folder() + "Programs\\"));
    EXPECT_FALSE(client.CreateShortcut("G", m_target, "", "..\\..\\Escaped", "", 0, nullptr, 5, 5));
    EXPECT_FALSE(client.CreateShortcut("..", m_target, "", "Escaped", "", 0, nullptr, 5, 5));
    EXPECT_FALSE(client.CreateShortcut("C:\\Windows", m_target, "", "E", "", 0, nullptr, 5, 5));
    EXPECT_FALSE(client.CreateShortcut("G", m_target, "", "", "", 0, nullptr, 5, 5));
    EXPECT_FALSE(FileExists(m_install.Path("Escaped.lnk")));
    EXPECT_FALSE(FolderExists(m_install.Path("Programs")));
}

// The whole loop with the shell's own programs folder: shortcut files for the items that
// were installed, and the shell asked to show the group after each.
TEST_F(NewShellTest, ProgramItemsBecomeShortcutsInTheProgramsFolder) {
    const std::string group = "Shiftwell Shortcut Test";
    CProgramItemMap items;
    auto item = std::make_unique<CProgramItem>();
    item->m_strTitle = "Shiftwell";
    item->m_strArguments = "/-safe";
    item->m_path = CSetupPath(m_target);
    items.m_records["shift.exe"] = std::move(item);
    auto notInstalled = std::make_unique<CProgramItem>();
    notInstalled->m_strTitle = "Not Installed";
    items.m_records["missing.exe"] = std::move(notInstalled);

    CreateProgramItems(items, group, CSetupPath(m_install.Folder()), nullptr);
    const std::string folder = CShortcutClient().GetGroupFolder(group).GetText();
    ShellLinkContents link = ReadShellLink(folder + "Shiftwell.lnk");
    EXPECT_TRUE(link.loaded);
    EXPECT_EQ(lstrcmpiA(link.path.c_str(), m_target.c_str()), 0) << link.path;
    EXPECT_EQ(link.arguments, "/-safe");
    EXPECT_FALSE(FileExists(folder + "Not Installed.lnk"));

    RemoveProgramItems(items, group, nullptr);
    EXPECT_FALSE(FileExists(folder + "Shiftwell.lnk"));
    EXPECT_FALSE(FolderExists(folder));
    CloseShellWindows(group, 3000);
    RemoveFolderTree(folder);
}

// The programs folder comes from "Shell Folders"\"Programs", else from the Windows directory.
class ProgramsFolderTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_saved = RegistryText(HKEY_CURRENT_USER, kShellFoldersKey, "Programs");
    }
    void TearDown() override {
        if (m_saved == "<missing>")
            SHDeleteValueA(HKEY_CURRENT_USER, kShellFoldersKey, "Programs");
        else
            SetRegistryText(HKEY_CURRENT_USER, kShellFoldersKey, "Programs", m_saved);
    }
    std::string m_saved;
};

TEST_F(ProgramsFolderTest, ComesFromShellFoldersOrTheWindowsDirectory) {
    CScratchFolder folder;
    SetRegistryText(HKEY_CURRENT_USER, kShellFoldersKey, "Programs", folder.Path("Programs"));
    EXPECT_EQ(CShortcutClient().GetProgramsFolder().GetText(), folder.Path("Programs\\"));

    const std::string fallback = CSetupPath(kRootWindowsDir).GetText() + "Start Menu\\Programs\\";
    SetRegistryText(HKEY_CURRENT_USER, kShellFoldersKey, "Programs", "");
    EXPECT_EQ(CShortcutClient().GetProgramsFolder().GetText(), fallback);
    SHDeleteValueA(HKEY_CURRENT_USER, kShellFoldersKey, "Programs");
    EXPECT_EQ(CShortcutClient().GetProgramsFolder().GetText(), fallback);
}

TEST_F(ProgramsFolderTest, MissingValueWritesBelowTheWindowsStartMenu) {
    if (!IsNewShell())
        GTEST_SKIP() << "no shortcut files on this version";
    SHDeleteValueA(HKEY_CURRENT_USER, kShellFoldersKey, "Programs");
    CScratchFolder install;
    WriteFileBytes(install.Path("shift.exe"), "MZ");
    const std::string group = "Shiftwell Fallback Test";
    const std::string folder =
        CSetupPath(kRootWindowsDir).GetText() + "Start Menu\\Programs\\" + group;
    {
        CShortcutClient client;
        EXPECT_TRUE(client.CreateShortcut(group, install.Path("shift.exe"), "", "Item", "", 0,
                                          nullptr, 5, 5));
    }
    EXPECT_TRUE(FileExists(folder + "\\Item.lnk"));
    RemoveFolderTree(folder);
}

// On Windows NT 3.x the items go to Program Manager; Wine's shell answers its DDE service
// and keeps the items as shortcut files in its own programs folder.
class ProgramManagerShellTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (IsNewShell())
            GTEST_SKIP() << "shortcut files are written directly on this version";
        char programs[MAX_PATH] = "";
        SHGetFolderPathA(nullptr, CSIDL_PROGRAMS, nullptr, 0, programs);
        m_groupFolder = std::string(programs) + "\\" + kGroup;
    }
    void TearDown() override {
        if (!m_groupFolder.empty())
            RemoveFolderTree(m_groupFolder);
        // The shell shows each group it creates in a window of its own.
        CloseShellWindows(kGroup, 3000);
    }
    static constexpr const char* kGroup = "Shiftwell NT Test";
    std::string m_groupFolder;
};

TEST_F(ProgramManagerShellTest, ItemsReachProgramManagerAndLeaveAgain) {
    CScratchFolder install;
    const std::string target = install.Path("shift.exe");
    WriteFileBytes(target, "MZ");

    CProgramItemMap items;
    auto item = std::make_unique<CProgramItem>();
    item->m_strKey = "shift.exe";
    item->m_strTitle = "Shiftwell";
    item->m_path = CSetupPath(target);
    items.m_records["shift.exe"] = std::move(item);
    auto notInstalled = std::make_unique<CProgramItem>();
    notInstalled->m_strKey = "missing.exe";
    notInstalled->m_strTitle = "Missing";
    items.m_records["missing.exe"] = std::move(notInstalled);

    CreateProgramItems(items, kGroup, CSetupPath(install.Folder()), nullptr);
    const std::string file = m_groupFolder + "\\Shiftwell.lnk";
    ASSERT_TRUE(FileExists(file));
    EXPECT_EQ(lstrcmpiA(ReadShellLink(file).path.c_str(), target.c_str()), 0);
    EXPECT_FALSE(FileExists(m_groupFolder + "\\Missing.lnk"));

    RemoveProgramItems(items, kGroup, nullptr);
    EXPECT_FALSE(FileExists(file));
    EXPECT_FALSE(FolderExists(m_groupFolder));
}

} // namespace
