// The sample product installed from its diskette set, used a little, and removed by the
// command of its Uninstall entry (<install dir>\SETUP.EXE /U), interactively and unattended:
// nothing of it is left but the install log, SETUP.INI in the install folder (which stays)
// and the shared system files, whose counts went down by one, and the removal helper takes
// the setup program away.
#include "GuiInstallSupport.h"
#include "ProductState.h"

#include "system/RegistryKey.h"
#include "uninstall/UninstallRules.h"

namespace {

// What the product leaves behind while it is used, as its Register.ini lists it.
void UseTheProduct(const std::string& install) {
    WriteFileBytes(install + "recover.tmp", "autosave");
    WriteFileBytes(install + "DATA\\plan.tmp", "autosave");
    WriteFileBytes(install + "shift.cfg", "[Options]\r\n");
    for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE})
        CRegistryKey().Create(root, "Software\\Corvatek\\Shiftwell\\Settings");
}

class UninstallRoundTrip : public GuiInstall {
protected:
    // Installs the sample product unattended into its own folder, with a fresh log.
    void InstallAndUse() {
        DeleteFileA(Log().c_str());
        Start("/B");
        ExpectEndsWithCode(0);
        ExpectInstalled();
        UseTheProduct(m_install);
        m_state.Capture(Log());
        ASSERT_EQ(m_install, m_state.m_strInstallDir);
        ASSERT_TRUE(EqualsIgnoringCase(m_install + "SETUP.EXE", m_state.m_strSetupProgram))
            << m_state.m_strSetupProgram;
        ASSERT_FALSE(m_state.m_runValues.empty());
        ASSERT_FALSE(m_state.m_registryKeys.empty());
        ASSERT_GE(m_state.m_sharedCounts.size(), 2u); // shiftcom.dll, _kstinst.exe
        ::ExpectInstalled(m_state);
    }

    // Runs the Uninstall entry's command with extra switches.
    void StartUninstall(const std::string& extra) {
        std::string program, arguments;
        CProductState::UninstallCommand(program, arguments);
        ASSERT_EQ("/U", arguments);
        ASSERT_TRUE(m_setup.Launch(program, arguments + extra, m_install));
    }

    CProductState m_state;
};

} // namespace

TEST_F(UninstallRoundTrip, SampleProductIsRemovedByItsUninstallCommandInteractively) {
    InstallAndUse();
    StartUninstall("");
    HWND welcome = WaitPage("Removing Corvatek Shiftwell", {kNextId, IDCANCEL});
    ASSERT_NE(welcome, nullptr);
    Shot("welcome");
    Click(welcome, kNextId);
    HWND removed = WaitButtonPage(kNextId, "&Finish");
    ASSERT_NE(removed, nullptr);
    EXPECT_NE(
        GetStaticTexts(removed).find("Corvatek Shiftwell has been removed from your computer."),
        std::string::npos);
    Shot("removed");
    Click(removed, kNextId);
    ExpectEndsWithCode(0);
    ExpectRemoved(m_state, true);
}

TEST_F(UninstallRoundTrip, SampleProductIsRemovedByItsUninstallCommandUnattended) {
    InstallAndUse();
    StartUninstall(" /B");
    ExpectEndsWithCode(0);
    ExpectRemoved(m_state, true);
}
