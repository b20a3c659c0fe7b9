// The loops over the install model's program items, with the stand-in Program Manager
// answering every DDE conversation.
#include "RecorderProcess.h"
#include "ShellLinkReader.h"
#include "TestFiles.h"

#include "profile/ProgramItem.h"
#include "system/ProgramItems.h"
#include "system/ShortcutClient.h"

#include <gtest/gtest.h>

namespace {

using Lines = std::vector<std::string>;

int g_pumps = 0;
void CountPump() {
    ++g_pumps;
}

class ProgramItemsTest : public ::testing::Test {
protected:
    void SetUp() override {
        g_pumps = 0;
        m_install = m_scratch.Path("Shift Well\\");
        CreateDirectoryA(m_install.c_str(), nullptr);
        WriteFileBytes(m_install + "shift.exe", "MZ");
        WriteFileBytes(m_install + "readme.exe", "MZ");
        Add("shift.exe", "Shiftwell", "/-safe", "", 0, m_install + "shift.exe");
        Add("readme.exe", "Read Me", "", "readme.ico", 1, m_install + "readme.exe");
        Add("unused.exe", "Not Installed", "", "", 0, "");
        ASSERT_TRUE(m_recorder.Start(m_scratch.Folder(), {}));
    }
    void Add(const std::string& key, const std::string& title, const std::string& arguments,
             const std::string& icon, int minimized, const std::string& path) {
        auto item = std::make_unique<CProgramItem>();
        item->m_strKey = key;
        item->m_strTitle = title;
        item->m_strArguments = arguments;
        item->m_strIconFile = icon;
        item->m_bRunMinimized = minimized;
        item->m_nIconNumber = minimized ? 4 : 0;
        item->m_path = CSetupPath(path);
        m_items.m_records[key] = std::move(item);
    }

    CScratchFolder m_scratch;
    std::string m_install;
    CProgramItemMap m_items;
    CRecorderProcess m_recorder;
};

TEST_F(ProgramItemsTest, OldShellSendsEachItemThenShowsTheGroupOnItsOwnConversation) {
    {
        CShortcutClient client(false, CSetupPath(m_scratch.Path("Programs\\")));
        CreateProgramItemsWith(client, m_items, "Corvatek Shiftwell", CSetupPath(m_install),
                               CountPump);
    }
    EXPECT_EQ(g_pumps, 2);
    // Map order: "readme.exe" before "shift.exe"; the item without a path is passed over.
    const std::string shift = "\"" + m_install + "shift.exe\" /-safe";
    EXPECT_EQ(
        m_recorder.Stop(),
        (Lines{"CONNECT", "EXECUTE [CreateGroup (\"Corvatek Shiftwell\")]",
               "EXECUTE [ReplaceItem (Read Me)]",
               "EXECUTE [AddItem (\"" + m_install + "readme.exe\",\"Read Me\"," + m_install +
                   "readme.ico,4,2,0,,,1)]",
               "CONNECT", "EXECUTE [CreateGroup (\"Corvatek Shiftwell\")]", "DISCONNECT",
               "EXECUTE [CreateGroup (\"Corvatek Shiftwell\")]",
               "EXECUTE [ReplaceItem (Shiftwell)]",
               "EXECUTE [AddItem (" + shift + ",\"Shiftwell\",,0,5,0,,,0)]", "CONNECT",
               "EXECUTE [CreateGroup (\"Corvatek Shiftwell\")]", "DISCONNECT", "DISCONNECT"}));
}

TEST_F(ProgramItemsTest, OldShellRemovesItemsByTitleThenTheGroup) {
    {
        CShortcutClient client(false, CSetupPath(m_scratch.Path("Programs\\")));
        RemoveProgramItemsWith(client, m_items, "Corvatek Shiftwell", CountPump);
    }
    EXPECT_EQ(g_pumps, 2);
    EXPECT_EQ(ExecutedCommands(m_recorder.Stop()),
              (Lines{"[CreateGroup (\"Corvatek Shiftwell\")]", "[DeleteItem (Read Me)]",
                     "[CreateGroup (\"Corvatek Shiftwell\")]", "[DeleteItem (Shiftwell)]",
                     "[DeleteGroup(\"Corvatek Shiftwell\")]"}));
}

TEST_F(ProgramItemsTest, AnEmptyGroupNameRemovesNoGroup) {
    const std::string programs = m_scratch.Path("Programs\\");
    CreateDirectoryA(programs.c_str(), nullptr);
    {
        CShortcutClient client(false, CSetupPath(programs));
        RemoveProgramItemsWith(client, m_items, "", nullptr);
    }
    for (const std::string& command : ExecutedCommands(m_recorder.Stop()))
        EXPECT_EQ(command.find("[DeleteGroup"), std::string::npos) << command;
    {
        CShortcutClient client(true, CSetupPath(programs));
        RemoveProgramItemsWith(client, m_items, " ", nullptr);
    }
    EXPECT_TRUE(FolderExists(programs));
}

TEST_F(ProgramItemsTest, NewShellWritesShortcutsAndOnlyShowsTheGroup) {
    const std::string programs = m_scratch.Path("Programs\\");
    {
        CShortcutClient client(true, CSetupPath(programs));
        CreateProgramItemsWith(client, m_items, "Corvatek Shiftwell", CSetupPath(m_install),
                               CountPump);
    }
    EXPECT_EQ(ExecutedCommands(m_recorder.Stop()),
              (Lines{"[CreateGroup (\"Corvatek Shiftwell\")]",
                     "[CreateGroup (\"Corvatek Shiftwell\")]"}));
    const std::string group = programs + "Corvatek Shiftwell\\";
    ShellLinkContents shift = ReadShellLink(group + "Shiftwell.lnk");
    ASSERT_TRUE(shift.loaded);
    EXPECT_EQ(shift.arguments, "/-safe");
    EXPECT_EQ(lstrcmpiA(shift.path.c_str(), (m_install + "shift.exe").c_str()), 0);
    ShellLinkContents readme = ReadShellLink(group + "Read Me.lnk");
    ASSERT_TRUE(readme.loaded);
    EXPECT_EQ(readme.iconPath, m_install + "readme.ico");
    EXPECT_EQ(readme.iconIndex, 4);
    EXPECT_EQ(readme.showCommand, SW_SHOWMINNOACTIVE);
    EXPECT_FALSE(FileExists(group + "Not Installed.lnk"));

    {
        CShortcutClient client(true, CSetupPath(programs));
        RemoveProgramItemsWith(client, m_items, "Corvatek Shiftwell", nullptr);
    }
    EXPECT_FALSE(FolderExists(group));
}

} // namespace
