// Uninstall operated as a person would, through the GUI driver, on an installation the test
// made itself (HandInstall.h): the uninstall command of the Uninstall entry run
// interactively and unattended, Cancel on the first page and during the removal (and the
// removal run again), a missing install log, files already gone. Screenshots go to the build
// folder (tests/uninstall/artifacts).
#include "GuiDriver.h"
#include "GuiTest.h"
#include "HandInstall.h"
#include "ProductState.h"

#include "WindowsTestSupport.h"
#include "uninstall/SharedFileCount.h"
#include "uninstall/UninstallRules.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace guidriver;

namespace {

constexpr char kTitle[] = "Corvatek Shiftwell Setup";
constexpr char kRemovingTitle[] = "Removing Corvatek Shiftwell";
constexpr int kNextId = 1020;
constexpr int kBackId = 1027;
constexpr int kRemovingFileId = 1031;
constexpr DWORD kEndTimeoutMs = 60000;
constexpr DWORD kCancelledCode = 1602;
constexpr DWORD kFailedCode = 1603;

class GuiUninstall : public ::testing::Test {
protected:
    static void SetUpTestSuite() { PrepareGuiTests(GUI_ARTIFACT_HOST_DIR); }

    void InstallProduct(int bulkFiles = 0) {
        HandInstallOptions options;
        options.strInstallDir = "C:\\Shiftwell Test\\";
        options.strSetupExe = HostPathToWindows(SETUP_EXE_HOST_PATH);
        options.strHelperExe = HostPathToWindows(HELPER_EXE_HOST_PATH);
        options.strLibraryDll = HostPathToWindows(LIBRARY_DLL_HOST_PATH);
        options.nBulkFiles = bulkFiles;
        InstallByHand(options);
        m_state.Capture(InstallLogPath());
        // What the removal has to undo, so that no check below is empty.
        ASSERT_FALSE(m_state.m_runValues.empty());
        ASSERT_FALSE(m_state.m_libraries.empty());
        ASSERT_FALSE(m_state.m_registryKeys.empty());
        ASSERT_FALSE(m_state.m_dataPatterns.empty());
        ASSERT_EQ(2u, m_state.m_itemTitles.size());
        ASSERT_EQ(1u, m_state.m_extraItemTitles.size());
        ASSERT_EQ(2u, m_state.m_sharedCounts.size());
        ExpectInstalled(m_state);
    }

    void TearDown() override {
        if (m_setup.IsRunning()) {
            Shot("left-running");
            m_setup.Terminate();
        }
        CloseFolderWindows();
    }

    // Runs the command of the product's Uninstall entry, with extra switches.
    void StartUninstall(const std::string& extra = {}) {
        std::string program, arguments;
        CProductState::UninstallCommand(program, arguments);
        ASSERT_EQ("/U", arguments);
        if (!extra.empty())
            arguments += " " + extra;
        ASSERT_TRUE(m_setup.Launch(program, arguments, m_state.m_strInstallDir)) << program;
    }

    HWND WaitPage(const std::string& caption, std::vector<int> ids) {
        WindowQuery query;
        query.caption = caption;
        query.controlIds = std::move(ids);
        query.processId = m_setup.Id();
        return WaitForWindow(query);
    }

    HWND WaitPageWithText(const std::string& caption, std::vector<int> ids,
                          const std::string& text) {
        HWND page = nullptr;
        WaitUntil([&] {
            WindowQuery query;
            query.caption = caption;
            query.controlIds = ids;
            query.processId = m_setup.Id();
            page = FindTopWindow(query);
            return page != nullptr && GetStaticTexts(page).find(text) != std::string::npos;
        });
        return page;
    }

    HWND WaitFailedPage() {
        return WaitPageWithText(kTitle, {IDOK}, "has NOT been properly installed");
    }

    // Setup ends with the exit code: 0 removed, 1602 cancelled, 1603 failed.
    void ExpectEnds(DWORD expectedCode) {
        DWORD code = 12345;
        ASSERT_TRUE(m_setup.Wait(kEndTimeoutMs, &code)) << "setup did not end";
        EXPECT_EQ(expectedCode, code);
    }

    // Setup, which has ended, started no removal helper. Setup starts it on its way out and
    // the helper deletes the setup program as soon as setup has ended: a helper that was
    // started is still running now (it is waited for) or has deleted the program.
    void ExpectNoHelper() {
        EXPECT_TRUE(ProcessesNamed(kUninstallHelperName).empty()) << "a removal helper runs";
        EXPECT_TRUE(WaitForRemovalHelpers(kEndTimeoutMs));
        EXPECT_TRUE(FileExists(m_state.m_strSetupProgram));
    }

    void Shot(const std::string& name) { SaveTestScreenshot(GUI_ARTIFACT_HOST_DIR, name); }

    CProductState m_state;
    CProcess m_setup;
};

} // namespace

TEST_F(GuiUninstall, InteractiveUninstallRemovesEverythingAndTheHelperFinishes) {
    InstallProduct();
    StartUninstall();

    HWND welcome = WaitPage(kRemovingTitle, {kNextId, kBackId, IDCANCEL});
    ASSERT_NE(welcome, nullptr);
    const std::string texts = GetStaticTexts(welcome);
    EXPECT_NE(texts.find("You have chosen to remove Corvatek Shiftwell."), std::string::npos);
    EXPECT_NE(texts.find("To keep  Corvatek Shiftwell, choose Cancel."), std::string::npos);
    Shot("welcome");
    Click(welcome, kNextId);

    HWND removed = WaitPageWithText(kTitle, {kNextId}, "has been removed from your computer.");
    ASSERT_NE(removed, nullptr);
    EXPECT_EQ("&Finish", GetControlText(removed, kNextId));
    EXPECT_FALSE(IsControlEnabled(removed, kBackId));
    EXPECT_FALSE(IsControlEnabled(removed, IDCANCEL));
    Shot("removed");
    Click(removed, kNextId);
    ExpectEnds(0);

    ExpectRemoved(m_state, true);
}

TEST_F(GuiUninstall, UnattendedUninstallRemovesEverythingAndTheHelperFinishes) {
    InstallProduct();
    StartUninstall("/B");
    ExpectEnds(0);
    ExpectRemoved(m_state, true);
}

TEST_F(GuiUninstall, CancelOnTheFirstPageRemovesNothingAndStartsNoHelper) {
    InstallProduct();
    StartUninstall();
    HWND welcome = WaitPage(kRemovingTitle, {kNextId, IDCANCEL});
    ASSERT_NE(welcome, nullptr);
    Click(welcome, IDCANCEL);

    HWND failed = WaitFailedPage();
    ASSERT_NE(failed, nullptr);
    WindowQuery question;
    question.controlIds = {IDYES, IDNO};
    question.processId = m_setup.Id();
    EXPECT_EQ(nullptr, FindTopWindow(question));
    Click(failed, IDOK);
    ExpectEnds(kCancelledCode);

    ExpectNothingRemoved(m_state);
    ExpectNoHelper();
}

TEST_F(GuiUninstall, MissingInstallLogEndsOnTheFailedPage) {
    InstallProduct();
    ASSERT_TRUE(DeleteFileA(InstallLogPath().c_str()));
    StartUninstall();
    HWND welcome = WaitPage(kRemovingTitle, {kNextId});
    ASSERT_NE(welcome, nullptr);
    Click(welcome, kNextId);

    HWND error = WaitPage("Warning", {119, 140, 141});
    ASSERT_NE(error, nullptr);
    EXPECT_EQ("Setup cannot continue", GetControlText(error, 141));
    EXPECT_EQ("Incomplete or missing profile.", GetControlText(error, 140));
    Shot("error");
    Click(error, IDOK);
    HWND failed = WaitFailedPage();
    ASSERT_NE(failed, nullptr);
    Click(failed, IDOK);
    ExpectEnds(kFailedCode);

    ExpectNothingRemoved(m_state);
    ExpectNoHelper();
}

TEST_F(GuiUninstall, FilesThatAreAlreadyGoneArePassedOverSilently) {
    InstallProduct();
    ASSERT_TRUE(DeleteFileA((m_state.m_strInstallDir + "shift.txt").c_str()));
    ASSERT_TRUE(DeleteFileA((m_state.m_strInstallDir + "DATA\\shift.dat").c_str()));
    StartUninstall("/B");
    ExpectEnds(0);
    ExpectRemoved(m_state, true);
}

TEST_F(GuiUninstall, CancelDuringTheRemovalAsksYesStopsItAndTheNextRemovalFinishes) {
    // Another program counted the shared library before this installation.
    ASSERT_TRUE(SetRegistryNumber(HKEY_LOCAL_MACHINE, kSharedDllsKey,
                                  SystemDirectoryPath() + "shiftcom.dll", 1));
    InstallProduct(3000);
    StartUninstall();
    HWND welcome = WaitPage(kRemovingTitle, {kNextId});
    ASSERT_NE(welcome, nullptr);
    Click(welcome, kNextId);

    HWND removing = WaitPage(kTitle, {kRemovingFileId, IDCANCEL});
    ASSERT_NE(removing, nullptr);
    EXPECT_NE(GetStaticTexts(removing).find("Removing File:"), std::string::npos);
    Click(removing, IDCANCEL);
    HWND question = WaitPage(kTitle, {IDYES, IDNO});
    ASSERT_NE(question, nullptr) << "the removal ended before Cancel arrived";
    EXPECT_NE(GetStaticTexts(question).find("Do you really want to exit Setup?"),
              std::string::npos);
    // The file shown is one of the installation's.
    const std::string shown = GetControlText(removing, kRemovingFileId);
    EXPECT_EQ(0u, shown.find(m_state.m_strInstallDir)) << shown;
    Shot("question");

    // No: the removal goes on.
    Click(question, IDNO);
    EXPECT_TRUE(WaitForWindowGone(question));
    EXPECT_TRUE(WaitUntil([&] { return GetControlText(removing, kRemovingFileId) != shown; }));

    // Yes: it stops there and the run fails.
    Click(removing, IDCANCEL);
    question = WaitPage(kTitle, {IDYES, IDNO});
    ASSERT_NE(question, nullptr) << "the removal ended before Cancel arrived";
    Click(question, IDYES);
    HWND failed = WaitFailedPage();
    ASSERT_NE(failed, nullptr);
    Click(failed, IDOK);
    ExpectEnds(kCancelledCode);

    // Part of the installation is left, with its Uninstall entry to finish the job later.
    EXPECT_TRUE(FileExists(m_state.m_strInstallDir + "DATA\\PLAN2999.SHP"));
    EXPECT_TRUE(FileExists(m_state.m_strInstallDir + "SETUP.INI"));
    EXPECT_TRUE(RegistryKeyExists(HKEY_LOCAL_MACHINE,
                                  "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\"
                                  "Corvatek Shiftwell"));
    ExpectNoHelper();

    // Removed again, it ends as one removal would have: the shared libraries, whose counts the
    // cancelled run has already lowered, are not lowered a second time.
    StartUninstall("/B");
    ExpectEnds(0);
    ExpectRemoved(m_state, true);
}
