// SETUP.EXE operated as a person would, through the GUI driver: the welcome page over the
// background, Next and Back across the passed-over pages, Cancel with its question, the
// last pages, the unattended run and the error dialog. Screenshots of the pages are kept in
// the build folder (tests/app/artifacts).
#include "GuiDriver.h"
#include "GuiTest.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

using namespace guidriver;

namespace {

constexpr char kTitle[] = "Corvatek Shiftwell Setup";
constexpr int kNextId = 1020;
constexpr DWORD kEndTimeoutMs = 30000;

// A profile with only the install directory: enough for the reading page.
constexpr char kMinimalProfile[] = "[destinations]\r\n0=SHIFT\r\n";

class GuiWizard : public ::testing::Test {
protected:
    static void SetUpTestSuite() { PrepareGuiTests(GUI_ARTIFACT_HOST_DIR); }

    void SetUp() override {
        m_exe = m_folder + "SETUP.EXE";
        ASSERT_TRUE(CopyFileA(HostPathToWindows(SETUP_EXE_HOST_PATH).c_str(), m_exe.c_str(), FALSE))
            << HostPathToWindows(SETUP_EXE_HOST_PATH);
        WriteFileBytes(m_folder + "SETUP.ini", kMinimalProfile);
    }

    void TearDown() override {
        if (m_setup.IsRunning()) {
            Shot("left-running");
            m_setup.Terminate();
        }
    }

    void Start(const std::string& arguments) {
        ASSERT_TRUE(m_setup.Launch(m_exe, arguments, m_folder));
    }

    WindowQuery Query(const std::string& caption, std::vector<int> ids = {}) {
        WindowQuery query;
        query.caption = caption;
        query.controlIds = std::move(ids);
        query.processId = m_setup.Id();
        return query;
    }

    HWND WaitPage(const std::string& caption, std::vector<int> ids) {
        return WaitForWindow(Query(caption, std::move(ids)));
    }

    // The background window: the program's window of the framework's own class.
    HWND WaitMainWindow() {
        HWND main = nullptr;
        WaitUntil([&] {
            for (HWND wnd : ListTopWindows(m_setup.Id(), false)) {
                char name[64] = {};
                GetClassNameA(wnd, name, sizeof name);
                if (strncmp(name, "ShiftwellWnd", 12) == 0)
                    main = wnd;
            }
            return main != nullptr || !m_setup.IsRunning();
        });
        return main;
    }

    // The failed page: caption of the product, its own "&OK" button.
    HWND WaitFailedPage() {
        HWND page = nullptr;
        WaitUntil([&] {
            page = FindTopWindow(Query(kTitle, {IDOK}));
            return page != nullptr && GetControlText(page, IDOK) == "&OK";
        });
        return page;
    }

    HWND WaitQuestion() { return WaitPage(kTitle, {IDYES, IDNO}); }

    void ExpectEndsWithCode(DWORD expected) {
        DWORD code = 12345;
        ASSERT_TRUE(m_setup.Wait(kEndTimeoutMs, &code)) << "setup did not end";
        EXPECT_EQ(code, expected);
    }

    void Shot(const std::string& name) { SaveTestScreenshot(GUI_ARTIFACT_HOST_DIR, name); }

    CScratchFolder m_scratch;
    const std::string m_folder = m_scratch.Folder();
    std::string m_exe;
    CProcess m_setup;
};

} // namespace

TEST_F(GuiWizard, WelcomePageShowsOverTheBackgroundAndCancelYesEndsOnTheFailedPage) {
    Start("");
    HWND welcome = WaitPage("Welcome", {kNextId, 1027, IDCANCEL});
    ASSERT_NE(welcome, nullptr);
    HWND main = GetWindow(welcome, GW_OWNER);
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(GetText(main), kTitle);
    EXPECT_TRUE(IsWindowVisible(main));
    EXPECT_TRUE(IsZoomed(main));
    RECT page = GetRect(welcome), background = GetRect(main);
    EXPECT_GE(page.left, background.left);
    EXPECT_LE(page.right, background.right);
    EXPECT_NE(GetStaticTexts(welcome).find("Welcome to Corvatek Shiftwell."), std::string::npos);
    EXPECT_FALSE(IsControlEnabled(welcome, 1027));
    EXPECT_TRUE(IsControlEnabled(welcome, kNextId));
    Shot("welcome");

    ASSERT_TRUE(Click(welcome, IDCANCEL));
    HWND question = WaitQuestion();
    ASSERT_NE(question, nullptr);
    EXPECT_NE(GetStaticTexts(question).find("installation is not complete.  Do you really want"),
              std::string::npos);
    Click(question, IDYES);

    HWND failed = WaitFailedPage();
    ASSERT_NE(failed, nullptr);
    EXPECT_TRUE(WaitForWindowGone(welcome));
    Shot("failed");
    PressKey(failed, VK_ESCAPE); // Esc on a last page finishes
    ExpectEndsWithCode(1602);    // cancelled by the user
}

TEST_F(GuiWizard, NextAndBackPassOverTheReadingAndConditionsPages) {
    Start("");
    HWND welcome = WaitPage("Welcome", {kNextId});
    ASSERT_NE(welcome, nullptr);
    Click(welcome, kNextId);

    HWND destination = WaitPage("Select Directory", {1001, kNextId});
    ASSERT_NE(destination, nullptr);
    EXPECT_TRUE(WaitForWindowGone(welcome));
    EXPECT_TRUE(IsControlEnabled(destination, 1027));
    Shot("destination");

    Click(destination, 1027); // Back: the reading page is not shown again
    EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(welcome) != FALSE; }));
    EXPECT_TRUE(WaitForWindowGone(destination));
    EXPECT_EQ(FindTopWindow(Query("Warning")), nullptr);

    Click(welcome, kNextId); // the same page window comes back
    EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(destination) != FALSE; }));

    // Cancel answered No leaves the page as it was.
    Click(destination, IDCANCEL);
    HWND question = WaitQuestion();
    ASSERT_NE(question, nullptr);
    Click(question, IDNO);
    EXPECT_TRUE(WaitForWindowGone(question));
    EXPECT_TRUE(IsWindowVisible(destination));
    EXPECT_TRUE(IsControlEnabled(destination, kNextId));

    Click(destination, IDCANCEL);
    question = WaitQuestion();
    ASSERT_NE(question, nullptr);
    Click(question, IDYES);
    HWND failed = WaitFailedPage();
    ASSERT_NE(failed, nullptr);
    Click(failed, IDOK);
    ExpectEndsWithCode(1602); // cancelled by the user
}

TEST_F(GuiWizard, UnattendedRunWalksToTheEndWithoutInput) {
    Start("/B");
    // The background starts minimised (when the run has not ended before we look).
    HWND main = WaitMainWindow();
    if (main != nullptr && IsWindow(main)) {
        EXPECT_TRUE(IsIconic(main) || !IsWindowVisible(main));
    }
    ExpectEndsWithCode(0);
}

TEST_F(GuiWizard, ErrorDialogOpensFoldedAndMoreShowsTheExplanationAndTheCode) {
    Start("/D:C:\\SHIFTWELL-NOWHERE");
    HWND welcome = WaitPage("Welcome", {kNextId});
    ASSERT_NE(welcome, nullptr);
    Click(welcome, kNextId);

    HWND error = WaitPage("Warning", {119, 144, 152});
    ASSERT_NE(error, nullptr);
    RECT folded = GetRect(error);
    EXPECT_EQ(GetControlText(error, 141), "Setup cannot continue");
    EXPECT_EQ(GetControlText(error, 140), "Incomplete or missing profile.");
    EXPECT_EQ(GetControlText(error, IDOK), "OK");
    EXPECT_FALSE(IsControlVisible(error, IDCANCEL));
    EXPECT_FALSE(IsControlEnabled(error, 152));
    EXPECT_EQ(GetControlText(error, 119), "&More>>");
    Shot("folded");

    Click(error, 119);
    EXPECT_TRUE(WaitUntil([&] { return GetControlText(error, 119) == "&More<<"; }));
    RECT unfolded = GetRect(error);
    EXPECT_GT(unfolded.bottom - unfolded.top, folded.bottom - folded.top);
    EXPECT_TRUE(IsControlEnabled(error, 152));
    EXPECT_EQ(GetControlText(error, 144), "9.0 (CInstallProfileException)");
    EXPECT_EQ(GetControlText(error, 152).rfind("The profile that holds", 0), 0u);
    Shot("unfolded");

    Click(error, 119);
    EXPECT_TRUE(WaitUntil([&] { return GetControlText(error, 119) == "&More>>"; }));
    RECT refolded = GetRect(error);
    EXPECT_EQ(refolded.bottom - refolded.top, folded.bottom - folded.top);

    Click(error, IDOK);
    HWND failed = WaitFailedPage();
    ASSERT_NE(failed, nullptr);
    Click(failed, IDOK);
    ExpectEndsWithCode(1603); // failed
}

TEST_F(GuiWizard, BackgroundCloseBoxYesFailsTheRunAtTheCopyPage) {
    Start("");
    HWND welcome = WaitPage("Welcome", {kNextId});
    ASSERT_NE(welcome, nullptr);
    HWND main = GetWindow(welcome, GW_OWNER);
    Close(main);
    HWND question = WaitQuestion();
    ASSERT_NE(question, nullptr);
    Click(question, IDNO);
    EXPECT_TRUE(WaitForWindowGone(question));
    Close(main);
    question = WaitQuestion();
    ASSERT_NE(question, nullptr);
    Click(question, IDYES);
    EXPECT_TRUE(WaitForWindowGone(question));
    EXPECT_TRUE(IsWindowVisible(main)); // the window stays

    Click(welcome, kNextId);
    HWND destination = WaitPage("Select Directory", {kNextId});
    ASSERT_NE(destination, nullptr);
    Click(destination, kNextId);
    HWND group = WaitPage("Select Program Item Group", {kNextId});
    ASSERT_NE(group, nullptr);
    Click(group, kNextId);
    HWND failed = WaitFailedPage(); // the copy page sees the failed run
    ASSERT_NE(failed, nullptr);
    Click(failed, IDOK);
    ExpectEndsWithCode(1602); // cancelled by the user
}

TEST_F(GuiWizard, CancelledUninstallEndsOnTheFailedPageWithoutAQuestion) {
    Start("/U");
    HWND welcome = WaitPage("Removing Corvatek Shiftwell", {kNextId, IDCANCEL});
    ASSERT_NE(welcome, nullptr);
    Click(welcome, IDCANCEL);
    HWND failed = WaitFailedPage();
    ASSERT_NE(failed, nullptr);
    EXPECT_EQ(FindTopWindow(Query(kTitle, {IDYES, IDNO})), nullptr);
    Click(failed, IDOK);
    ExpectEndsWithCode(1602); // cancelled by the user
}
