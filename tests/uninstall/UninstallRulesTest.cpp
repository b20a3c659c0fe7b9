// The text rules of the removal: kept names, log keys as file names, folder order, and the
// removal helper's command line as setup writes it and the helper reads it.
#include "uninstall/UninstallRules.h"

#include <gtest/gtest.h>

TEST(UninstallRules, KeepsTheTwoHelperProgramsWhateverTheirCase) {
    EXPECT_TRUE(IsKeptFileName("_ROZIRUR.EXE"));
    EXPECT_TRUE(IsKeptFileName("_rozirur.exe"));
    EXPECT_TRUE(IsKeptFileName("_kstinst.exe"));
    EXPECT_TRUE(IsKeptFileName("_KstInst.Exe"));
    EXPECT_FALSE(IsKeptFileName("kstinst.exe"));
    EXPECT_FALSE(IsKeptFileName("_kstinst.exe.bak"));
    EXPECT_FALSE(IsKeptFileName("SETUP.EXE"));
}

TEST(UninstallRules, LogKeyBecomesItsNameAndExtensionOnly) {
    EXPECT_EQ("SHIFT.EXE", LogKeyFileName("SHIFT.EXE"));
    EXPECT_EQ("read me.txt", LogKeyFileName("read me.txt"));
    // Whatever folder a damaged or tampered key names, only its last part counts.
    EXPECT_EQ("WIN.INI", LogKeyFileName("..\\..\\WINDOWS\\WIN.INI"));
    EXPECT_EQ("AUTOEXEC.BAT", LogKeyFileName("C:\\AUTOEXEC.BAT"));
    EXPECT_EQ("x.dll", LogKeyFileName("C:x.dll"));
    EXPECT_EQ("x.dll", LogKeyFileName("a/b/x.dll"));
    EXPECT_EQ("x.dll", LogKeyFileName("\\\\server\\share\\x.dll"));
}

TEST(UninstallRules, LogKeyWithoutAUsableNameGivesNothing) {
    EXPECT_EQ("", LogKeyFileName(""));
    EXPECT_EQ("", LogKeyFileName("."));
    EXPECT_EQ("", LogKeyFileName(".."));
    EXPECT_EQ("", LogKeyFileName("C:\\SHIFT\\.."));
    EXPECT_EQ("", LogKeyFileName("SHIFT\\"));
    EXPECT_EQ("", LogKeyFileName("C:"));
    EXPECT_EQ("", LogKeyFileName("   "));
    EXPECT_EQ("", LogKeyFileName("*.*"));
    EXPECT_EQ("", LogKeyFileName("SHIFT?.EXE"));
    EXPECT_EQ("", LogKeyFileName("a\"b"));
    EXPECT_EQ("", LogKeyFileName(std::string("a\x01z", 3)));
}

TEST(UninstallRules, RemovesDeeperFoldersBeforeTheirParents) {
    // The destinations map lists the install folder (id 0) before its subfolders.
    std::vector<std::string> folders = {"C:\\SHIFT", "C:\\SHIFT\\DATA\\", "C:\\OTHER\\",
                                        "C:\\SHIFT\\DATA\\OLD\\", "C:\\SHIFT\\HELP\\"};
    std::vector<std::string> expected = {"C:\\SHIFT\\DATA\\OLD\\", "C:\\SHIFT\\DATA\\",
                                         "C:\\SHIFT\\HELP\\", "C:\\SHIFT", "C:\\OTHER\\"};
    EXPECT_EQ(expected, OrderFoldersForRemoval(folders));
}

TEST(UninstallRules, ListsEachFolderOnceAndDropsEmptyTexts) {
    std::vector<std::string> folders = {"C:\\SHIFT\\", "", "c:\\shift", "C:\\SHIFT\\\\"};
    EXPECT_EQ(std::vector<std::string>{"C:\\SHIFT\\"}, OrderFoldersForRemoval(folders));
    EXPECT_TRUE(OrderFoldersForRemoval({}).empty());
}

TEST(UninstallRules, HelperCommandLine) {
    EXPECT_EQ(
        "C:\\WINDOWS\\SYSTEM\\_kstinst.exe /U /PP:C:\\SHIFT\\SETUP.EXE",
        MakeUninstallHelperCommand("C:\\WINDOWS\\SYSTEM\\_kstinst.exe", "C:\\SHIFT\\SETUP.EXE"));
    // Paths with blanks (no short form, or a system folder with a blank) stay whole.
    EXPECT_EQ("\"C:\\MY WIN\\SYSTEM\\_kstinst.exe\" /U /PP:\"C:\\Program Files\\SETUP.EXE\"",
              MakeUninstallHelperCommand("C:\\MY WIN\\SYSTEM\\_kstinst.exe",
                                         "C:\\Program Files\\SETUP.EXE"));
}

TEST(UninstallRules, HelperReadsTheSetupProgramBackFromItsCommandLine) {
    EXPECT_EQ("C:\\SHIFT\\SETUP.EXE", FindSetupProgramSwitch("/U /PP:C:\\SHIFT\\SETUP.EXE"));
    EXPECT_EQ("C:\\SHIFT\\SETUP.EXE", FindSetupProgramSwitch("/U /PP:C:\\SHIFT\\SETUP.EXE  "));
    EXPECT_EQ("C:\\Program Files\\SETUP.EXE",
              FindSetupProgramSwitch("/U /PP:\"C:\\Program Files\\SETUP.EXE\""));
    // Unquoted, the switch still runs to the end of the line.
    EXPECT_EQ("C:\\Program Files\\SETUP.EXE",
              FindSetupProgramSwitch("/U /PP:C:\\Program Files\\SETUP.EXE"));
    EXPECT_EQ("", FindSetupProgramSwitch("/U"));
    EXPECT_EQ("", FindSetupProgramSwitch("/U /PP:"));
    EXPECT_EQ("", FindSetupProgramSwitch("/U /PP:\"\""));
    EXPECT_EQ("", FindSetupProgramSwitch("/U /XPP:C:\\SETUP.EXE"));

    std::string line = MakeUninstallHelperCommand("C:\\W\\_kstinst.exe", "C:\\A B\\SETUP.EXE");
    EXPECT_EQ("C:\\A B\\SETUP.EXE", FindSetupProgramSwitch(line));
}

TEST(UninstallRules, UninstallSwitchIsTheWordSlashUpperU) {
    EXPECT_TRUE(HasUninstallSwitch("/U /PP:C:\\SHIFT\\SETUP.EXE"));
    EXPECT_TRUE(HasUninstallSwitch("/PP:x /U"));
    EXPECT_TRUE(HasUninstallSwitch("/UX /U"));
    EXPECT_FALSE(HasUninstallSwitch("/u /PP:x"));
    EXPECT_FALSE(HasUninstallSwitch("/UX /PP:x"));
    EXPECT_FALSE(HasUninstallSwitch(""));
}
