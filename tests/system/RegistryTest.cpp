// The registry classes, the product's fixed entries and the Register.ini removal steps,
// against Wine's real registry in the test prefix.
#include "TestFiles.h"
#include "WindowsTestSupport.h"

#include "profile/Destination.h"
#include "system/RegisterIniCleanup.h"
#include "system/RegistryDword.h"
#include "system/RegistryEntries.h"
#include "system/RegistryKey.h"
#include "system/RegistryString.h"

#include <gtest/gtest.h>
#include <shlwapi.h>

namespace {

const std::string kBase = "Software\\Shiftwell System Tests";

class RegistryTest : public ::testing::Test {
protected:
    void SetUp() override { Clean(); }
    void TearDown() override { Clean(); }
    static void Clean() {
        SHDeleteKeyA(HKEY_CURRENT_USER, kBase.c_str());
        SHDeleteKeyA(HKEY_LOCAL_MACHINE, kBase.c_str());
    }
    static void SetRaw(const std::string& name, DWORD type, const void* data, DWORD size) {
        CRegistryKey key;
        ASSERT_TRUE(key.Create(HKEY_CURRENT_USER, kBase));
        RegSetValueExA(key.GetHandle(), name.c_str(), 0, type, static_cast<const BYTE*>(data),
                       size);
    }
};

TEST_F(RegistryTest, WrongTypeFailsWith1804AndLeavesOutputUntouched) {
    DWORD number = 7;
    SetRaw("Number", REG_DWORD, &number, sizeof number);
    SetRaw("Text", REG_SZ, "seven", 6);

    CRegistryKey key;
    ASSERT_TRUE(key.Open(HKEY_CURRENT_USER, kBase));
    std::string text = "untouched";
    EXPECT_FALSE(key.QueryString("Number", text));
    EXPECT_EQ(key.GetLastError(), 1804);
    EXPECT_EQ(text, "untouched");

    uint32_t value = 99;
    EXPECT_FALSE(key.QueryDword("Text", value));
    EXPECT_EQ(key.GetLastError(), 1804);
    EXPECT_EQ(value, 99u);

    CRegistryString asString(HKEY_CURRENT_USER, kBase, "Number", "fallback");
    EXPECT_EQ(asString.GetValue(), "fallback");
    EXPECT_EQ(asString.GetLastError(), 1804);
}

TEST_F(RegistryTest, TextLargerThanAnyPathIsRefusedNotAllocated) {
    const std::string huge((1u << 20) + 1, 'x');
    SetRaw("Huge", REG_SZ, huge.c_str(), static_cast<DWORD>(huge.size()));
    const std::string limit((1u << 20) - 1, 'y'); // with its zero, 1 MB exactly
    SetRaw("Limit", REG_SZ, limit.c_str(), static_cast<DWORD>(limit.size() + 1));

    CRegistryKey key;
    ASSERT_TRUE(key.Open(HKEY_CURRENT_USER, kBase));
    std::string text = "untouched";
    EXPECT_FALSE(key.QueryString("Huge", text));
    EXPECT_EQ(key.GetLastError(), ERROR_INVALID_DATA);
    EXPECT_EQ(text, "untouched");
    ASSERT_TRUE(key.QueryString("Limit", text));
    EXPECT_EQ(text, limit);
}

TEST_F(RegistryTest, StoredTextWithoutTerminatorEndsInsideTheBuffer) {
    SetRaw("Bare", REG_SZ, "abc", 3);     // no terminating zero stored
    SetRaw("Inner", REG_SZ, "ab\0cd", 6); // a zero inside the data
    CRegistryKey key;
    ASSERT_TRUE(key.Open(HKEY_CURRENT_USER, kBase));
    std::string text;
    ASSERT_TRUE(key.QueryString("Bare", text));
    EXPECT_EQ(text, "abc");
    ASSERT_TRUE(key.QueryString("Inner", text));
    EXPECT_EQ(text, "ab");
}

TEST_F(RegistryTest, MissingKeyAndValueReportFailureAndKeepDefault) {
    CRegistryString missingKey(HKEY_CURRENT_USER, kBase + "\\Nowhere", "Name", "default");
    EXPECT_EQ(missingKey.GetValue(), "default");
    EXPECT_EQ(missingKey.GetLastError(), ERROR_FILE_NOT_FOUND);

    SetRegistryText(HKEY_CURRENT_USER, kBase, "Other", "x");
    CRegistryDword missingValue(HKEY_CURRENT_USER, kBase, "Count", 42);
    EXPECT_EQ(missingValue.GetValue(), 42u);
    EXPECT_NE(missingValue.GetLastError(), ERROR_SUCCESS);
}

TEST_F(RegistryTest, ValueOnlyReadIsNeverWrittenBack) {
    {
        CRegistryString value(HKEY_CURRENT_USER, kBase + "\\Read", "Name", "default");
        EXPECT_EQ(value.GetValue(), "default");
    }
    EXPECT_FALSE(RegistryKeyExists(HKEY_CURRENT_USER, kBase + "\\Read"));

    SetRegistryText(HKEY_CURRENT_USER, kBase, "Name", "stored");
    {
        CRegistryString value(HKEY_CURRENT_USER, kBase, "Name");
        EXPECT_EQ(value.GetValue(), "stored");
        SetRegistryText(HKEY_CURRENT_USER, kBase, "Name", "changed meanwhile");
    }
    EXPECT_EQ(RegistryText(HKEY_CURRENT_USER, kBase, "Name"), "changed meanwhile");
}

TEST_F(RegistryTest, ChangedValuesAreWrittenWhenDestroyedCreatingTheirKeys) {
    const std::string deep = kBase + "\\One\\Two";
    {
        CRegistryString text(HKEY_CURRENT_USER, deep, "Name");
        text.SetValue("written");
        CRegistryDword number(HKEY_CURRENT_USER, deep, "Count", 0);
        number.SetValue(3);
        CRegistryString kept(HKEY_CURRENT_USER, deep, "Kept", "", true, false);
        kept.SetValue("not written: no write-back");
    }
    EXPECT_EQ(RegistryText(HKEY_CURRENT_USER, deep, "Name"), "written");
    EXPECT_EQ(RegistryText(HKEY_CURRENT_USER, deep, "Kept"), "<missing>");
    CRegistryDword again(HKEY_CURRENT_USER, deep, "Count", 0);
    EXPECT_EQ(again.GetValue(), 3u);
    EXPECT_FALSE(again.IsModified());
}

TEST_F(RegistryTest, DeleteRegistryTreeRemovesNestedKeysAndReportsMissingKey) {
    SetRegistryText(HKEY_CURRENT_USER, kBase + "\\Tree\\A\\B\\C", "v", "1");
    SetRegistryText(HKEY_CURRENT_USER, kBase + "\\Tree\\A\\D", "v", "2");
    SetRegistryText(HKEY_CURRENT_USER, kBase + "\\Tree", "v", "3");
    SetRegistryText(HKEY_CURRENT_USER, kBase + "\\Sibling", "v", "4");

    EXPECT_TRUE(DeleteRegistryTree(HKEY_CURRENT_USER, kBase + "\\Tree"));
    EXPECT_FALSE(RegistryKeyExists(HKEY_CURRENT_USER, kBase + "\\Tree"));
    EXPECT_EQ(RegistryText(HKEY_CURRENT_USER, kBase + "\\Sibling", "v"), "4");

    EXPECT_FALSE(DeleteRegistryTree(HKEY_CURRENT_USER, kBase + "\\Tree"));
    EXPECT_EQ(RegistryText(HKEY_CURRENT_USER, kBase + "\\Sibling", "v"), "4");
}

TEST_F(RegistryTest, DeleteRegistryTreeRefusesToNameTheRootItself) {
    SetRegistryText(HKEY_CURRENT_USER, kBase + "\\Child", "v", "1");
    CRegistryKey base;
    ASSERT_TRUE(base.Open(HKEY_CURRENT_USER, kBase));
    EXPECT_FALSE(DeleteRegistryTree(base.GetHandle(), ""));
    EXPECT_FALSE(DeleteRegistryTree(base.GetHandle(), "\\"));
    EXPECT_TRUE(RegistryKeyExists(HKEY_CURRENT_USER, kBase + "\\Child"));
}

TEST_F(RegistryTest, AppPathEntryHoldsProgramAndFolder) {
    const std::string key = std::string(kAppPathsKey) + "\\shiftsys.exe";
    CSetupPath program("C:\\Program Files\\Corvatek\\shiftsys.exe");
    ASSERT_TRUE(WriteAppPath(program));
    EXPECT_EQ(RegistryText(HKEY_LOCAL_MACHINE, key, ""), program.GetText());
    EXPECT_EQ(RegistryText(HKEY_LOCAL_MACHINE, key, "Path"), "C:\\Program Files\\Corvatek");

    RemoveAppPath(program);
    EXPECT_FALSE(RegistryKeyExists(HKEY_LOCAL_MACHINE, key));
}

TEST_F(RegistryTest, UninstallEntryIsCreatedThenOverwrittenThenRemoved) {
    const std::string entry = "Shiftwell System Test Product";
    const std::string key = std::string(kUninstallKey) + "\\" + entry;
    WriteUninstallEntry("C:\\SHIFT\\SETUP.EXE /U", entry, "First name");
    EXPECT_EQ(RegistryText(HKEY_LOCAL_MACHINE, key, "DisplayName"), "First name");
    EXPECT_EQ(RegistryText(HKEY_LOCAL_MACHINE, key, "UninstallString"), "C:\\SHIFT\\SETUP.EXE /U");

    WriteUninstallEntry("D:\\OTHER\\SETUP.EXE /U", entry, "Second name");
    EXPECT_EQ(RegistryText(HKEY_LOCAL_MACHINE, key, "DisplayName"), "Second name");
    EXPECT_EQ(RegistryText(HKEY_LOCAL_MACHINE, key, "UninstallString"), "D:\\OTHER\\SETUP.EXE /U");

    RemoveUninstallEntry(entry);
    EXPECT_FALSE(RegistryKeyExists(HKEY_LOCAL_MACHINE, key));
}

TEST_F(RegistryTest, EmptyNamesNeverAddressTheParentKeys) {
    SetRegistryText(HKEY_LOCAL_MACHINE, std::string(kAppPathsKey) + "\\shiftwell-keep.exe", "",
                    "x");
    EXPECT_FALSE(WriteAppPath(CSetupPath("C:\\SHIFT\\")));
    RemoveAppPath(CSetupPath("C:\\SHIFT\\"));
    RemoveUninstallEntry("");
    WriteUninstallEntry("x /U", "", "nameless");
    EXPECT_EQ(RegistryText(HKEY_LOCAL_MACHINE, kUninstallKey, "DisplayName"), "<missing>");
    EXPECT_TRUE(RegistryKeyExists(HKEY_LOCAL_MACHINE, kUninstallKey));
    EXPECT_TRUE(
        RegistryKeyExists(HKEY_LOCAL_MACHINE, std::string(kAppPathsKey) + "\\shiftwell-keep.exe"));
    SHDeleteKeyA(HKEY_LOCAL_MACHINE, (std::string(kAppPathsKey) + "\\shiftwell-keep.exe").c_str());
}

TEST_F(RegistryTest, UninstallCommandQuotesOnlyPathsWithBlanks) {
    EXPECT_EQ(MakeUninstallCommand(CSetupPath("C:\\Program Files\\Shiftwell\\SETUP.EXE")),
              "\"C:\\Program Files\\Shiftwell\\SETUP.EXE\" /U");
    EXPECT_EQ(MakeUninstallCommand(CSetupPath("C:\\SHIFT\\SETUP.EXE")), "C:\\SHIFT\\SETUP.EXE /U");
}

TEST_F(RegistryTest, ListedRegistryKeysGoUnderBothRoots) {
    CScratchFolder folder;
    const std::string ini = folder.Path("Register.ini");
    WriteFileBytes(ini, "[RegistryKeys]\r\n"
                        "Both=" +
                            kBase +
                            "\\Both\r\n"
                            "MachineOnly=" +
                            kBase +
                            "\\MachineOnly\r\n"
                            "Empty=\r\n");
    for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
        SetRegistryText(root, kBase + "\\Both\\Deep", "v", "1");
        SetRegistryText(root, kBase + "\\Kept", "v", "2");
    }
    SetRegistryText(HKEY_LOCAL_MACHINE, kBase + "\\MachineOnly", "v", "3");

    DeleteListedRegistryKeys(CSetupPath(ini));

    for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
        EXPECT_FALSE(RegistryKeyExists(root, kBase + "\\Both"));
        EXPECT_EQ(RegistryText(root, kBase + "\\Kept", "v"), "2");
    }
    EXPECT_FALSE(RegistryKeyExists(HKEY_LOCAL_MACHINE, kBase + "\\MachineOnly"));
    // The empty value did not reach the roots.
    EXPECT_TRUE(RegistryKeyExists(HKEY_CURRENT_USER, "Software"));
    EXPECT_TRUE(RegistryKeyExists(HKEY_CURRENT_USER, kBase));
}

TEST(RegisterIniDataFiles, PatternsDeleteInInstallFoldersOnly) {
    CScratchFolder install;
    const std::string sub = install.Path("data\\");
    ASSERT_TRUE(CreateDirectoryA(sub.c_str(), nullptr));
    CScratchFolder setupDir;
    const std::string ini = setupDir.Path("Register.ini");
    WriteFileBytes(ini, "[DataFiles]\r\nTemp=*.tmp\r\nCache=cache.dat\r\nEscape=..\\*.tmp\r\n");

    WriteFileBytes(install.Path("a.tmp"), "a");
    WriteFileBytes(install.Path("cache.dat"), "c");
    WriteFileBytes(install.Path("keep.txt"), "k");
    WriteFileBytes(sub + "b.tmp", "b");
    SetFileAttributesA((sub + "b.tmp").c_str(), FILE_ATTRIBUTE_READONLY);
    // A file beside the install folder that the "..\" pattern would reach.
    const std::string outside = install.Folder().substr(0, install.Folder().size() - 1) + ".tmp";
    WriteFileBytes(outside, "o");

    // Files matching the pattern in the Windows, system and temporary directories.
    std::vector<std::string> guarded;
    for (int root : {kRootWindowsDir, kRootSystemDir, kRootTempDir}) {
        std::string path = CSetupPath(root).GetText() + "shiftwell-guard.tmp";
        WriteFileBytes(path, "g");
        guarded.push_back(path);
    }

    CDestinationMap destinations;
    destinations.SetEntry(0, "", -1);
    destinations.SetPath(0, install.Folder());
    destinations.SetEntry(1, "data", 0);
    destinations.SetPath(1, sub.substr(0, sub.size() - 1)); // without its backslash
    destinations.SetEntry(2, "", -1);
    destinations.SetPath(2, CSetupPath(kRootWindowsDir).GetText()); // install into Windows
    destinations.SetEntry(3, "", -1);                               // no path yet

    RemoveDataFiles(destinations, CSetupPath(ini));

    EXPECT_FALSE(FileExists(install.Path("a.tmp")));
    EXPECT_FALSE(FileExists(install.Path("cache.dat")));
    EXPECT_FALSE(FileExists(sub + "b.tmp"));
    EXPECT_TRUE(FileExists(install.Path("keep.txt")));
    EXPECT_TRUE(FileExists(outside));
    for (const std::string& path : guarded) {
        EXPECT_TRUE(FileExists(path)) << path;
        DeleteFileA(path.c_str());
    }
    DeleteFileA(outside.c_str());
}

TEST(RegisterIniDataFiles, MissingFileChangesNothing) {
    CScratchFolder install;
    WriteFileBytes(install.Path("a.tmp"), "a");
    CDestinationMap destinations;
    destinations.SetPath(0, install.Folder());
    RemoveDataFiles(destinations, CSetupPath(install.Path("Register.ini")));
    DeleteListedRegistryKeys(CSetupPath(install.Path("Register.ini")));
    EXPECT_TRUE(FileExists(install.Path("a.tmp")));
}

} // namespace
