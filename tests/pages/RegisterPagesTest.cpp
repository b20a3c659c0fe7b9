// The work of pages 1549 ("Registering components...") and 1550 ("Unregistering
// components..."): the product's registry entries, its components and the page that follows.
#include "TestFiles.h"
#include "WindowsTestSupport.h"

#include "app/PageIds.h"
#include "app/SetupApp.h"
#include "app/Wizard.h"
#include "pages/RegisterPage.h"
#include "pages/UnregisterPage.h"
#include "profile/Destination.h"
#include "selfreg.h"
#include "system/ComponentRegistration.h"
#include "system/RegistryEntries.h"

#include <gtest/gtest.h>
#include <shlwapi.h>

namespace {

class RegisterPagesTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_app.CreateModel();
        m_app.LoadProductStrings();
        m_app.CreatePaths();
        m_installDir = m_scratch.Path("Shift Well\\");
        CreateDirectoryA(m_installDir.c_str(), nullptr);
        m_app.m_pDestinations->SetPath(kDestInstall, m_installDir);
        m_appPathKey = std::string(kAppPathsKey) + "\\" + m_app.m_strMainExe;
        m_uninstallKey = std::string(kUninstallKey) + "\\" + m_app.m_strProductName;
    }
    void TearDown() override {
        DestroyAllPages();
        SHDeleteKeyA(HKEY_CLASSES_ROOT, SHIFTREG_CLSID_KEY);
        SHDeleteKeyA(HKEY_LOCAL_MACHINE, m_appPathKey.c_str());
        SHDeleteKeyA(HKEY_LOCAL_MACHINE, m_uninstallKey.c_str());
    }
    int RunRegisterPage() { return (new CRegisterPage(115))->RunPage(); }
    int RunUnregisterPage() { return (new CUnregisterPage(1547))->RunPage(); }

    CSetupApp m_app;
    CScratchFolder m_scratch;
    std::string m_installDir;
    std::string m_appPathKey;
    std::string m_uninstallKey;
};

TEST_F(RegisterPagesTest, InstallWritesTheEntriesAndRegistersTheComponents) {
    ASSERT_TRUE(CopyFileA(HostPathToWindows(SHIFTWELL_SHIFTREG_DLL).c_str(),
                          (m_installDir + "shiftreg.dll").c_str(), FALSE));
    WriteFileBytes(m_installDir + "REGISTER.INI", "[AppDir]\r\nLibrary1=shiftreg.dll\r\n");

    EXPECT_EQ(RunRegisterPage(), 115);

    EXPECT_EQ(RegistryText(HKEY_LOCAL_MACHINE, m_appPathKey, ""),
              m_installDir + m_app.m_strMainExe);
    EXPECT_EQ(RegistryText(HKEY_LOCAL_MACHINE, m_appPathKey, "Path"),
              m_installDir.substr(0, m_installDir.size() - 1));
    EXPECT_EQ(RegistryText(HKEY_LOCAL_MACHINE, m_uninstallKey, "DisplayName"),
              m_app.m_strProductName);
    // The running program's name in the install folder, quoted for the blank in its path.
    EXPECT_EQ(RegistryText(HKEY_LOCAL_MACHINE, m_uninstallKey, "UninstallString"),
              "\"" + m_installDir + "system_page_tests.exe\" /U");
    EXPECT_EQ(
        RegistryText(HKEY_CLASSES_ROOT, std::string(SHIFTREG_CLSID_KEY) + "\\InprocServer32", ""),
        m_installDir + "shiftreg.dll");

    EXPECT_EQ(RunUnregisterPage(), 1547);
    EXPECT_FALSE(RegistryKeyExists(HKEY_LOCAL_MACHINE, m_appPathKey));
    EXPECT_FALSE(RegistryKeyExists(HKEY_LOCAL_MACHINE, m_uninstallKey));
}

TEST_F(RegisterPagesTest, OutcomeChoosesTheClosingPage) {
    m_app.m_bRestartNeeded = 1;
    EXPECT_EQ(RunRegisterPage(), 1558);
    m_app.m_bSucceeded = 0;
    EXPECT_EQ(RunRegisterPage(), kFailedPageId);
}

TEST_F(RegisterPagesTest, NoInstallFolderWritesNoEntries) {
    m_app.m_pDestinations->SetPath(kDestInstall, "");
    EXPECT_EQ(RunRegisterPage(), 115);
    EXPECT_FALSE(RegistryKeyExists(HKEY_LOCAL_MACHINE, m_appPathKey));
    EXPECT_FALSE(RegistryKeyExists(HKEY_LOCAL_MACHINE, m_uninstallKey));
}

} // namespace
