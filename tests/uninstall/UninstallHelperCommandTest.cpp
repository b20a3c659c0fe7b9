// The command line setup starts the removal helper with, built on the real system folder and
// file system of a throwaway Wine prefix.
#include "uninstall/UninstallHelperCommand.h"

#include "uninstall/UninstallRules.h"

#include "TestFiles.h"

#include <gtest/gtest.h>

#include <windows.h>

TEST(UninstallHelperCommand, StartsTheSystemFolderHelperWithTheShortSetupPath) {
    CScratchFolder scratch;
    const std::string folder = scratch.Path("Corvatek Shiftwell Program\\");
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
    const std::string setup = folder + "setup.exe";
    WriteFileBytes(setup, "MZ");

    const std::string command = MakeUninstallHelperCommandFor(setup);

    char system[MAX_PATH] = {};
    GetSystemDirectoryA(system, MAX_PATH);
    const std::string helper = std::string(system) + "\\_kstinst.exe";
    const std::string prefix = helper + " /U /PP:";
    ASSERT_EQ(prefix, command.substr(0, prefix.size()));
    const std::string named = command.substr(prefix.size());
    // One word, no quotes needed, and it names the setup program.
    EXPECT_EQ(std::string::npos, named.find(' ')) << named;
    EXPECT_TRUE(EqualsIgnoringCase(".EXE", named.substr(named.size() - 4)));
    EXPECT_TRUE(EqualsIgnoringCase(ShortPathOf(setup), named));
    EXPECT_TRUE(FileExists(named));
    EXPECT_TRUE(HasUninstallSwitch(command));
    EXPECT_EQ(named, FindSetupProgramSwitch(command));
}

TEST(UninstallHelperCommand, AMissingFileKeepsItsLongPath) {
    EXPECT_EQ("C:\\NO SUCH\\SETUP.EXE", ShortPathOf("C:\\NO SUCH\\SETUP.EXE"));
    const std::string command = MakeUninstallHelperCommandFor("C:\\NO SUCH\\SETUP.ini");
    EXPECT_EQ("C:\\NO SUCH\\SETUP.EXE", FindSetupProgramSwitch(command));
}
