// Component registration over REGISTER.INI with the sample product's self-registering
// library, whose registration under HKEY_CLASSES_ROOT is the mark that it was called.
#include "ShellLinkReader.h"
#include "TestFiles.h"
#include "WindowsTestSupport.h"

#include "selfreg.h"
#include "system/ComponentRegistration.h"
#include "system/CurrentDirectory.h"
#include "system/ShortcutClient.h"

#include <gtest/gtest.h>
#include <shlwapi.h>

namespace {

const std::string kServerKey = std::string(SHIFTREG_CLSID_KEY) + "\\InprocServer32";
const char kGroup[] = "Shiftwell Components";

std::string WithoutBackslash(std::string folder) {
    if (folder.size() > 3 && folder.back() == '\\')
        folder.pop_back();
    return folder;
}

class ComponentRegistrationTest : public ::testing::Test {
protected:
    void SetUp() override {
        SHDeleteKeyA(HKEY_CLASSES_ROOT, SHIFTREG_CLSID_KEY);
        m_installDir = m_scratch.Path("Shift Well\\");
        CreateDirectoryA(m_installDir.c_str(), nullptr);
        m_programs = m_scratch.Path("Programs\\");
        SetCurrentDirectoryA(m_elsewhere.Folder().c_str());
    }
    void TearDown() override {
        SHDeleteKeyA(HKEY_CLASSES_ROOT, SHIFTREG_CLSID_KEY);
        SetCurrentDirectoryA("C:\\");
    }
    void WriteRegisterIni(const std::string& text) {
        WriteFileBytes(m_installDir + "REGISTER.INI", text);
    }
    void CopyLibrary(const std::string& destination) {
        ASSERT_TRUE(CopyFileA(HostPathToWindows(SHIFTWELL_SHIFTREG_DLL).c_str(),
                              destination.c_str(), FALSE));
    }
    bool Run(bool install) {
        CShortcutClient client(true, CSetupPath(m_programs));
        return RegisterComponentsWith(client, CSetupPath(m_installDir), kGroup, install);
    }
    std::string Shortcut(const std::string& title) const {
        return m_programs + kGroup + "\\" + title + ".lnk";
    }

    CScratchFolder m_scratch;
    CScratchFolder m_elsewhere;
    std::string m_installDir;
    std::string m_programs;
};

TEST_F(ComponentRegistrationTest, LibraryMarkIsSetFromItsFolderAndRemovedAgain) {
    CopyLibrary(m_installDir + "shiftreg.dll");
    WriteRegisterIni("[AppDir]\r\nLibrary1=shiftreg.dll\r\nMissing=nothere.dll\r\n");
    const std::string before = GetCurrentDirectoryText();

    EXPECT_TRUE(Run(true));
    EXPECT_EQ(RegistryText(HKEY_CLASSES_ROOT, kServerKey, ""), m_installDir + "shiftreg.dll");
    EXPECT_EQ(RegistryText(HKEY_CLASSES_ROOT, SHIFTREG_CLSID_KEY, "RegisteredFrom"),
              WithoutBackslash(m_installDir));
    EXPECT_EQ(GetCurrentDirectoryText(), before);

    EXPECT_TRUE(Run(false));
    EXPECT_FALSE(RegistryKeyExists(HKEY_CLASSES_ROOT, SHIFTREG_CLSID_KEY));
    EXPECT_EQ(GetCurrentDirectoryText(), before);
}

TEST_F(ComponentRegistrationTest, LibraryNamesThatLeaveTheirFolderAreNeverLoaded) {
    // The library lies beside the install folder, reachable only by "..", a full path or a
    // path from the root.
    CopyLibrary(m_scratch.Path("shiftreg.dll"));
    const std::string full = m_scratch.Path("shiftreg.dll");
    WriteRegisterIni("[AppDir]\r\nUp=..\\shiftreg.dll\r\nFull=" + full +
                     "\r\nRoot=" + full.substr(2) + "\r\n");

    Run(true);
    EXPECT_FALSE(RegistryKeyExists(HKEY_CLASSES_ROOT, SHIFTREG_CLSID_KEY));
}

TEST_F(ComponentRegistrationTest, SystemDirectoryLibraryRegistersFromThere) {
    const std::string system = CSetupPath(kRootSystemDir).GetText();
    const std::string name = "shiftwell-systest.dll";
    CopyLibrary(system + name);
    WriteRegisterIni("[SysDir]\r\nLib=" + name + "\r\n");

    Run(true);
    EXPECT_EQ(RegistryText(HKEY_CLASSES_ROOT, SHIFTREG_CLSID_KEY, "RegisteredFrom"),
              WithoutBackslash(system));
    EXPECT_EQ(RegistryText(HKEY_CLASSES_ROOT, kServerKey, ""), system + name);
    Run(false);
    EXPECT_FALSE(RegistryKeyExists(HKEY_CLASSES_ROOT, SHIFTREG_CLSID_KEY));
    DeleteFileA((system + name).c_str());
}

TEST_F(ComponentRegistrationTest, ProgramIconsSplitTheSwitchAndAreRemovedByTitle) {
    WriteFileBytes(m_installDir + "shift.exe", "MZ");
    WriteRegisterIni("[ProgramIconAppDir]\r\n"
                     "File0=shift.exe /-safe\r\nDesc0=Safe Mode\r\n"
                     "File1=shift.exe /x\r\nDesc1=Plain\r\n");
    Run(true);

    ShellLinkContents safe = ReadShellLink(Shortcut("Safe Mode"));
    ASSERT_TRUE(safe.loaded);
    EXPECT_EQ(lstrcmpiA(safe.path.c_str(), (m_installDir + "shift.exe").c_str()), 0) << safe.path;
    EXPECT_EQ(safe.arguments, "/-safe");
    // Without "/-" the whole value is the program: no arguments.
    ShellLinkContents plain = ReadShellLink(Shortcut("Plain"));
    ASSERT_TRUE(plain.loaded);
    EXPECT_EQ(plain.arguments, "");
    const std::string whole = m_installDir + "shift.exe ";
    EXPECT_EQ(plain.path.compare(0, whole.size(), whole), 0) << plain.path;

    Run(false);
    EXPECT_FALSE(FileExists(Shortcut("Safe Mode")));
    EXPECT_FALSE(FileExists(Shortcut("Plain")));
}

TEST_F(ComponentRegistrationTest, StartUpEntriesAreQuotedWhenThePathHasBlanks) {
    WriteRegisterIni("[StartUp]\r\nFile0=shift.exe\r\nDesc0=Shiftwell Test Run\r\n");
    Run(true);
    EXPECT_EQ(RegistryText(HKEY_LOCAL_MACHINE, kRunKey, "Shiftwell Test Run"),
              "\"" + m_installDir + "shift.exe\"");
    Run(false);
    EXPECT_EQ(RegistryText(HKEY_LOCAL_MACHINE, kRunKey, "Shiftwell Test Run"), "<missing>");

    CScratchFolder plain; // a temporary folder without blanks
    ASSERT_EQ(plain.Folder().find(' '), std::string::npos);
    WriteFileBytes(plain.Path("REGISTER.INI"),
                   "[StartUp]\r\nFile0=shift.exe\r\nDesc0=Plain Run\r\n");
    CShortcutClient client(true, CSetupPath(m_programs));
    RegisterComponentsWith(client, CSetupPath(plain.Folder()), kGroup, true);
    EXPECT_EQ(RegistryText(HKEY_LOCAL_MACHINE, kRunKey, "Plain Run"), plain.Path("shift.exe"));
    RegisterComponentsWith(client, CSetupPath(plain.Folder()), kGroup, false);
    EXPECT_EQ(RegistryText(HKEY_LOCAL_MACHINE, kRunKey, "Plain Run"), "<missing>");
}

TEST_F(ComponentRegistrationTest, ListsEndAtTheFirstEmptyFile) {
    WriteFileBytes(m_installDir + "shift.exe", "MZ");
    WriteRegisterIni("[ProgramIconAppDir]\r\nFile0=\r\nDesc0=Never\r\n"
                     "File1=shift.exe\r\nDesc1=After Gap\r\n"
                     "[StartUp]\r\nFile1=shift.exe\r\nDesc1=Shiftwell Gap Run\r\n");
    Run(true);
    EXPECT_FALSE(FolderExists(m_programs + kGroup));
    EXPECT_EQ(RegistryText(HKEY_LOCAL_MACHINE, kRunKey, "Shiftwell Gap Run"), "<missing>");
}

TEST_F(ComponentRegistrationTest, NoSectionsChangeNothing) {
    WriteRegisterIni("; nothing to register\r\n");
    const std::string before = GetCurrentDirectoryText();
    EXPECT_TRUE(Run(true));
    EXPECT_TRUE(Run(false));
    EXPECT_FALSE(FolderExists(m_programs));
    EXPECT_FALSE(RegistryKeyExists(HKEY_CLASSES_ROOT, SHIFTREG_CLSID_KEY));
    EXPECT_EQ(GetCurrentDirectoryText(), before);

    DeleteFileA((m_installDir + "REGISTER.INI").c_str()); // and no file at all
    EXPECT_TRUE(Run(true));
    EXPECT_EQ(GetCurrentDirectoryText(), before);
}

} // namespace
