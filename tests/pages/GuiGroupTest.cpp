// The program group page against a shell that lists existing groups: the stand-in Program
// Manager of the system tests answers for the whole desktop, so these tests run in a prefix
// of their own.
#include "GuiInstallSupport.h"
#include "RecorderProcess.h"

namespace {

TEST_F(GuiInstall, WholeWizardIntoAnExistingGroup) {
    std::string existing = ProgramsFolder() + "Corvatek Tools";
    CreateDirectoryA(existing.c_str(), nullptr);
    // The shell's answer to "which groups exist", in the order Program Manager sends them.
    CRecorderProcess shell;
    CRecorderProcess::Options options;
    options.answer = "Startup\r\nCorvatek Tools\r\nAccessories\r\n";
    options.hasAnswer = true;
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    ASSERT_TRUE(shell.Start(temp, options));
    Start("");
    HWND group = WalkToGroupPage();
    ASSERT_NE(group, nullptr);
    EXPECT_EQ("Corvatek Shiftwell", GetControlText(group, kGroupEditId));
    EXPECT_EQ(BST_CHECKED, SendMessageA(FindControl(group, kNewGroupId), BM_GETCHECK, 0, 0));
    HWND list = FindControl(group, kGroupListId);
    int index = static_cast<int>(SendMessageA(list, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                              reinterpret_cast<LPARAM>("Corvatek Tools")));
    auto indexOf = [list](const char* name) {
        return static_cast<int>(SendMessageA(list, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                             reinterpret_cast<LPARAM>(name)));
    };
    ASSERT_NE(LB_ERR, index) << "the shell did not list the existing group";
    // Sorted, whatever order the shell sent them in.
    EXPECT_EQ(0, indexOf("Accessories"));
    EXPECT_EQ(1, indexOf("Corvatek Tools"));
    EXPECT_EQ(2, indexOf("Startup"));
    Shot("group");
    // Picking a list item switches to "Use existing group:".
    SendMessageA(list, LB_SETCURSEL, index, 0);
    PostMessageA(group, WM_COMMAND, MAKEWPARAM(kGroupListId, LBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(list));
    EXPECT_TRUE(WaitUntil([&] {
        return SendMessageA(FindControl(group, kExistingGroupId), BM_GETCHECK, 0, 0) == BST_CHECKED;
    }));
    Click(group, kNextId);

    HWND copy = WaitCopyPage();
    ASSERT_NE(copy, nullptr);
    Shot("copy");
    HWND complete = WaitCompletePage();
    ASSERT_NE(complete, nullptr);
    Shot("complete");
    Click(complete, IDOK);
    ExpectEndsWithCode(0);
    ExpectInstalled();
    EXPECT_EQ("Corvatek Tools", IniValue(m_install + "SETUP.INI", "GroupCreated", "Data0"));
    EXPECT_TRUE(PathExists(existing + "\\Corvatek Shiftwell.lnk"));
}

} // namespace
