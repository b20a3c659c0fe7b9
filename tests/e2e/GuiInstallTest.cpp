// SETUP.EXE installing the sample product from a diskette set made for each test, operated
// through the GUI driver as a person would: the whole wizard with its group choices, a
// missing diskette answered in the Insert Diskette dialog, Cancel while copying, a damaged
// archive; and unattended runs that must end by themselves with the exit codes deployment
// systems understand. Screenshots are kept in tests/e2e/artifacts of the build folder.
#include "GuiInstallSupport.h"

namespace {

TEST_F(GuiInstall, WholeWizardIntoANewGroup) {
    Start("");
    HWND group = WalkToGroupPage();
    ASSERT_NE(group, nullptr);
    std::string name = "Shiftwell " + m_strName;
    TypeText(group, kGroupEditId, name);
    Click(group, kNextId);
    HWND complete = WaitCompletePage();
    ASSERT_NE(complete, nullptr);
    Click(complete, IDOK);
    ExpectEndsWithCode(0);
    ExpectInstalled();
    EXPECT_EQ(name, IniValue(m_install + "SETUP.INI", "GroupCreated", "Data0"));
    EXPECT_TRUE(PathExists(ProgramsFolder() + name + "\\Corvatek Shiftwell.lnk"));
    EXPECT_TRUE(PathExists(ProgramsFolder() + name + "\\Shiftwell Help.lnk"));
}

TEST_F(GuiInstall, MissingDisketteIsAnsweredWithItsFolder) {
    std::string elsewhere = "C:\\SWALT_" + m_strName;
    ASSERT_TRUE(MoveFileA((m_set + "DISK02").c_str(), elsewhere.c_str()));
    Start("");
    HWND group = WalkToGroupPage();
    ASSERT_NE(group, nullptr);
    Click(group, kNextId);

    HWND prompt = WaitPage("Insert Diskette", {1001, 1026, IDOK});
    ASSERT_NE(prompt, nullptr);
    EXPECT_EQ("Please insert the diskette labelled 'Corvatek Shiftwell Disk 2' in drive C:",
              GetControlText(prompt, 1026));
    EXPECT_EQ(m_set + "DISK01\\", GetControlText(prompt, 1001));
    EXPECT_TRUE(IsControlVisible(prompt, 1001));
    Shot("insert-diskette");
    // OK with the diskette still missing keeps the dialog open.
    Click(prompt, IDOK);
    Sleep(500);
    EXPECT_TRUE(IsWindow(prompt) && IsWindowVisible(prompt));
    TypeText(prompt, 1001, elsewhere);
    Click(prompt, IDOK);
    EXPECT_TRUE(WaitForWindowGone(prompt));

    HWND complete = WaitCompletePage();
    ASSERT_NE(complete, nullptr);
    Click(complete, IDOK);
    ExpectEndsWithCode(0);
    ExpectInstalled();
    EXPECT_EQ(ReadFileBytes(HostPathToWindows(SHIFTWELL_PAYLOAD_HOST_DIR) + "\\shift.dat"),
              ReadFileBytes(m_install + "DATA\\shift.dat"));
}

// The Insert Diskette prompt holds the copy in the middle of shift.dat, whose data runs on
// into DISK02: a Cancel pressed meanwhile is examined at the next tick.
class CancelWhileCopying : public GuiInstall {
protected:
    HWND CancelDuringCopy() {
        std::string elsewhere = "C:\\SWALT_" + m_strName;
        EXPECT_TRUE(MoveFileA((m_set + "DISK02").c_str(), elsewhere.c_str()));
        Start("");
        HWND group = WalkToGroupPage();
        if (!group)
            return nullptr;
        Click(group, kNextId);
        HWND prompt = WaitPage("Insert Diskette", {1001, IDOK});
        HWND copy = FindTopWindow(Query(kTitle, {1008, 1009}));
        EXPECT_NE(prompt, nullptr);
        EXPECT_NE(copy, nullptr);
        if (!prompt || !copy)
            return nullptr;
        // The destination line: the member's path and how much of it is written.
        const std::string line = GetControlText(copy, 1009);
        const std::string start = m_install + "DATA\\shift.dat (";
        EXPECT_EQ(0, line.compare(0, start.size(), start)) << line;
        EXPECT_TRUE(line.size() > start.size() + 2 && line.compare(line.size() - 2, 2, "%)") == 0)
            << line;
        Click(copy, IDCANCEL);
        TypeText(prompt, 1001, elsewhere);
        Click(prompt, IDOK);
        HWND question = WaitPage(kTitle, {IDYES, IDNO});
        EXPECT_NE(question, nullptr);
        Shot("cancel-question");
        return question;
    }
};

TEST_F(CancelWhileCopying, NoLeavesTheRunUnchanged) {
    HWND question = CancelDuringCopy();
    ASSERT_NE(question, nullptr);
    Click(question, IDNO);
    HWND complete = WaitCompletePage();
    ASSERT_NE(complete, nullptr);
    Click(complete, IDOK);
    ExpectEndsWithCode(0);
    ExpectInstalled();
}

TEST_F(CancelWhileCopying, YesFinishesTheMemberAndEndsCancelled) {
    HWND question = CancelDuringCopy();
    ASSERT_NE(question, nullptr);
    Click(question, IDYES);
    HWND failed = WaitFailedPage();
    ASSERT_NE(failed, nullptr);
    Shot("failed");
    Click(failed, IDOK);
    ExpectEndsWithCode(kCancelledCode);
    EXPECT_FALSE(PathExists(m_install + "DATA\\shift.dat"));
    // The member was expanded to its end before the run stopped; its temporary file is gone.
    CFindFile find;
    EXPECT_FALSE(find.First(m_install + "DATA\\*.dat")) << find.GetName();
    EXPECT_EQ("", IniValue(m_install + "SETUP.INI", "GroupCreated", "Data0"));
}

// One byte of the shared library's data changed on DISK02.
class DamagedSet : public GuiInstall {
protected:
    void SetUp() override {
        GuiInstall::SetUp();
        std::string bytes = ReadFileBytes(Disk(2, "SHARED.1"));
        ASSERT_GT(bytes.size(), 1000u);
        bytes[8 + 346 + 200] ^= 0x5A;
        WriteFileBytes(Disk(2, "SHARED.1"), bytes);
    }
    HWND WaitErrorDialog() { return WaitPage("Warning", {IDOK, IDCANCEL, 141}); }
};

TEST_F(DamagedSet, ContinueInstallsTheOtherRecords) {
    Start("");
    HWND group = WalkToGroupPage();
    ASSERT_NE(group, nullptr);
    Click(group, kNextId);
    HWND error = WaitErrorDialog();
    ASSERT_NE(error, nullptr);
    EXPECT_EQ("Cannot install files from 'SHARED.1':", GetControlText(error, 141));
    EXPECT_EQ("Continue Operation", GetControlText(error, IDOK));
    EXPECT_EQ("Cancel Operation", GetControlText(error, IDCANCEL));
    Shot("error");
    Click(error, IDOK);
    HWND complete = WaitCompletePage();
    ASSERT_NE(complete, nullptr);
    Click(complete, IDOK);
    ExpectEndsWithCode(0);
    EXPECT_EQ("Corvatek Shiftwell", IniValue(m_install + "SETUP.INI", "GroupCreated", "Data0"));
    EXPECT_TRUE(PathExists(m_install + "DATA\\shift.dat"));
}

TEST_F(DamagedSet, CancelEndsTheRunAsFailed) {
    Start("");
    HWND group = WalkToGroupPage();
    ASSERT_NE(group, nullptr);
    Click(group, kNextId);
    HWND error = WaitErrorDialog();
    ASSERT_NE(error, nullptr);
    Click(error, IDCANCEL);
    HWND failed = WaitFailedPage();
    ASSERT_NE(failed, nullptr);
    Click(failed, IDOK);
    ExpectEndsWithCode(kFailedCode);
    EXPECT_EQ("", IniValue(m_install + "SETUP.INI", "GroupCreated", "Data0"));
}

TEST_F(DamagedSet, UnattendedEndsFailedWithTheQuestionInTheLog) {
    Start("/B");
    ExpectEndsWithCode(kFailedCode);
    std::string log = ReadFileBytes(Log());
    EXPECT_NE(std::string::npos, log.find("=Cannot install files from 'SHARED.1': Archive file"))
        << log;
}

TEST_F(GuiInstall, UnattendedMissingDisketteEndsFailedWithTheQuestionInTheLog) {
    ASSERT_TRUE(DeleteFileA(Disk(2, "SHIFT.2").c_str()));
    Start("/B");
    ExpectEndsWithCode(kFailedCode);
    std::string log = ReadFileBytes(Log());
    EXPECT_NE(std::string::npos,
              log.find("Please insert the diskette labelled 'Corvatek Shiftwell Disk 2' in drive "
                       "C: " +
                       Disk(1, "SHIFT.2")))
        << log;
    EXPECT_EQ("", IniValue(m_install + "SETUP.INI", "GroupCreated", "Data0"));
}

TEST_F(GuiInstall, UnattendedReplacementOfAFileInUseEndsWithRestartNeeded) {
    Start("/B");
    ExpectEndsWithCode(0);
    ExpectInstalled();
    EXPECT_EQ("Corvatek Shiftwell", IniValue(m_install + "SETUP.INI", "GroupCreated", "Data0"));
    // An older help text that is open elsewhere cannot be deleted now.
    std::string help = m_install + "shift.txt";
    CHandle file = OpenExclusively(help);
    ASSERT_TRUE(file.IsValid());
    FILETIME old{};
    SYSTEMTIME year2000 = {2000, 1, 0, 1, 0, 0, 0, 0};
    SystemTimeToFileTime(&year2000, &old);
    SetFileTime(file.Get(), nullptr, nullptr, &old);
    CProcess second;
    ASSERT_TRUE(second.Launch(Disk(1, "SETUP.EXE"), "/B", m_set + "DISK01"));
    DWORD code = 0;
    ASSERT_TRUE(second.Wait(kEndTimeoutMs, &code));
    file.Reset();
    EXPECT_EQ(kRestartNeededCode, code);
    EXPECT_EQ("0|0|1", IniValue(Log(), "Help", "shift.txt"));
}

TEST_F(GuiInstall, FileInUseLeadsToTheRestartPage) {
    Start("/B");
    ExpectEndsWithCode(0);
    std::string help = m_install + "shift.txt";
    CHandle file = OpenExclusively(help);
    ASSERT_TRUE(file.IsValid());
    FILETIME old{};
    SYSTEMTIME year2000 = {2000, 1, 0, 1, 0, 0, 0, 0};
    SystemTimeToFileTime(&year2000, &old);
    SetFileTime(file.Get(), nullptr, nullptr, &old);
    Start("");
    HWND group = WalkToGroupPage();
    if (group)
        Click(group, kNextId);
    HWND restart = WaitPage(kTitle, {1035, 1036});
    file.Reset();
    ASSERT_NE(restart, nullptr);
    Shot("restart");
    Click(restart, 1036); // "&Don't Restart": a test never restarts the computer
    ExpectEndsWithCode(kRestartNeededCode);
    EXPECT_EQ("0|0|1", IniValue(Log(), "Help", "shift.txt"));
}

} // namespace
