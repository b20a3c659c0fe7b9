// SETUP.EXE driven as a person would: the reading page, the destination page and its folder
// dialog, the failed page after a missing profile, the last uninstall page. Each test starts
// the program in a folder of its own with the profile it needs beside it.
#include "TestFiles.h"

#include "../driver/GuiDriver.h"
#include "profile/ProfileKeyList.h"
#include "profile/ProfileValue.h"
#include "transfer/SetupPath.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>

namespace {

using namespace guidriver;

const char kProfile[] = "[destinations]\r\n0=SWTSHIFT|-1|\r\n1=BIN|0|\r\n"
                        "[groups]\r\nProgram=Program files||1|1|1\r\n";
const char kAppTitle[] = "Corvatek Shiftwell Setup";

bool SameText(const std::string& a, const std::string& b) {
    return a.size() == b.size() && CompareStringA(LOCALE_SYSTEM_DEFAULT, NORM_IGNORECASE, a.c_str(),
                                                  -1, b.c_str(), -1) == CSTR_EQUAL;
}

bool SetControlText(HWND root, int id, const std::string& text) {
    HWND control = FindControl(root, id);
    DWORD_PTR result = 0;
    return control &&
           SendMessageTimeoutA(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()),
                               SMTO_BLOCK, 5000, &result);
}

std::string LogPath() {
    CSetupPath log(kRootWindowsDir);
    log.SetFileName("shift.log");
    return log.GetText();
}

class SetupWizard : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(CopyFileA(HostPathToWindows(SHIFTWELL_SETUP_EXE).c_str(),
                              m_folder.Path("SETUP.EXE").c_str(), FALSE));
    }
    void TearDown() override {
        if (m_process.IsRunning())
            m_process.Terminate();
        for (const char* folder : {"C:\\SWTSHIFT", "C:\\SWT_A", "C:\\SWT_BR"})
            RemoveFolderTree(folder);
    }

    void Start(const char* profile, const std::string& arguments = {}) {
        if (profile)
            WriteFileBytes(m_folder.Path("SETUP.ini"), profile);
        ASSERT_TRUE(m_process.Launch(m_folder.Path("SETUP.EXE"), arguments, m_folder.Folder()));
    }
    HWND Wait(const std::string& caption, std::vector<int> controls) {
        WindowQuery query;
        query.caption = caption;
        query.controlIds = std::move(controls);
        query.processId = m_process.Id();
        return WaitForWindow(query);
    }
    // The visible window of the program whose static texts hold phrase.
    HWND WaitForText(const std::string& phrase) {
        HWND found = nullptr;
        WaitUntil([&] {
            for (HWND wnd : ListTopWindows(m_process.Id(), true)) {
                if (GetStaticTexts(wnd).find(phrase) != std::string::npos) {
                    found = wnd;
                    return true;
                }
            }
            return false;
        });
        return found;
    }
    // Welcome, Next, and on past the reading page to the destination page.
    HWND DestinationPage() {
        HWND welcome = Wait("Welcome", {kNext});
        EXPECT_NE(nullptr, welcome);
        if (!welcome)
            return nullptr;
        Click(welcome, kNext);
        HWND page = Wait("Select Directory", {kLocation, kBrowse});
        EXPECT_NE(nullptr, page);
        return page;
    }
    // The message box shown after Next with location; its text, and the box answered.
    std::string MessageAfterNext(HWND page, const std::string& location) {
        EXPECT_TRUE(SetControlText(page, kLocation, location));
        Click(page, kNext);
        HWND box = Wait(kAppTitle, {IDOK});
        if (!box)
            return "(no message box)";
        std::string text = GetStaticTexts(box);
        Click(box, IDOK);
        EXPECT_TRUE(WaitForWindowGone(box));
        return text;
    }
    void Screenshot(const char* name) {
        SaveScreenshot(HostPathToWindows(SHIFTWELL_SCREENSHOT_DIR) + "\\" + name);
    }

    static constexpr int kNext = 1020;
    static constexpr int kBack = 1027;
    static constexpr int kLocation = 1001;
    static constexpr int kBrowse = 4;
    CScratchFolder m_folder;
    CProcess m_process;
};

TEST_F(SetupWizard, DestinationPageProposesDestinationZeroOnTheFirstFixedDisk) {
    Start(kProfile);
    HWND page = DestinationPage();
    ASSERT_NE(nullptr, page);
    EXPECT_EQ("C:\\SWTSHIFT\\", GetControlText(page, kLocation));
    Screenshot("destination-page.bmp");
}

TEST_F(SetupWizard, CdRomLocationIsRefusedWithMessage29) {
    Start(kProfile);
    HWND page = DestinationPage();
    ASSERT_NE(nullptr, page);
    ASSERT_EQ(static_cast<UINT>(DRIVE_CDROM), GetDriveTypeA("R:\\"))
        << "the test prefix maps R: as a CD-ROM drive";
    EXPECT_EQ("You may not install this program on a CD-ROM Drive. Please specify another "
              "location.",
              MessageAfterNext(page, "R:\\SHIFT\\"));
    EXPECT_TRUE(IsWindowVisible(page));
}

TEST_F(SetupWizard, DriveRootIsRefusedWithMessage30) {
    Start(kProfile);
    HWND page = DestinationPage();
    ASSERT_NE(nullptr, page);
    EXPECT_EQ("You may not install this program in the root of a drive. Please specify another "
              "location.",
              MessageAfterNext(page, "C:\\"));
    EXPECT_TRUE(IsWindowVisible(page));
}

TEST_F(SetupWizard, MissingFolderIsCreatedWithItsParents) {
    Start(kProfile);
    HWND page = DestinationPage();
    ASSERT_NE(nullptr, page);
    ASSERT_FALSE(FolderExists("C:\\SWT_A"));
    ASSERT_TRUE(SetControlText(page, kLocation, "C:\\SWT_A\\B\\C"));
    Click(page, kNext);
    EXPECT_NE(nullptr, Wait("Select Program Item Group", {kNext}));
    EXPECT_TRUE(FolderExists("C:\\SWT_A\\B\\C"));
}

TEST_F(SetupWizard, UnresolvableDestinationsAreReportedAndThePageStays) {
    Start("[destinations]\r\n0=SWTSHIFT|-1|\r\n1=A|2|\r\n2=B|1|\r\n");
    HWND page = DestinationPage();
    ASSERT_NE(nullptr, page);
    Click(page, kNext);
    HWND error = Wait("", {140, 144, 119});
    ASSERT_NE(nullptr, error);
    EXPECT_EQ("Incomplete or missing profile.", GetControlText(error, 140));
    EXPECT_EQ("9.1 (CInstallProfileException)", GetControlText(error, 144));
    Click(error, IDOK);
    ASSERT_TRUE(WaitForWindowGone(error));
    EXPECT_TRUE(IsWindowVisible(page));
    EXPECT_TRUE(m_process.IsRunning());
}

TEST_F(SetupWizard, BrowseStartsAtTheNearestFolderAndOkTakesTheChosenOne) {
    ASSERT_TRUE(CreateDirectoryA("C:\\SWT_BR", nullptr));
    ASSERT_TRUE(CreateDirectoryA("C:\\SWT_BR\\SUB", nullptr));
    Start(kProfile);
    HWND page = DestinationPage();
    ASSERT_NE(nullptr, page);
    const std::string typed = "C:\\SWT_BR\\MISSING\\DEEP";
    ASSERT_TRUE(SetControlText(page, kLocation, typed));

    // Cancel keeps the text.
    Click(page, kBrowse);
    HWND dialog = Wait("Change Folder", {1002, 1121});
    ASSERT_NE(nullptr, dialog);
    EXPECT_TRUE(SameText("C:\\SWT_BR", GetControlText(dialog, 1088)))
        << GetControlText(dialog, 1088);
    EXPECT_EQ(typed, GetControlText(dialog, 1002));
    Click(dialog, IDCANCEL);
    ASSERT_TRUE(WaitForWindowGone(dialog));
    EXPECT_EQ(typed, GetControlText(page, kLocation));

    // Moving into a folder puts it into the path; OK puts it into Location.
    Click(page, kBrowse);
    dialog = Wait("Change Folder", {1002, 1121});
    ASSERT_NE(nullptr, dialog);
    HWND folders = FindControl(dialog, 1121);
    ASSERT_NE(nullptr, folders);
    LRESULT index = SendMessageA(folders, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                 reinterpret_cast<LPARAM>("[sub]"));
    ASSERT_NE(LB_ERR, index);
    PostMessageA(folders, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(1121, LBN_DBLCLK),
                 reinterpret_cast<LPARAM>(folders));
    EXPECT_TRUE(
        WaitUntil([&] { return SameText("C:\\SWT_BR\\SUB", GetControlText(dialog, 1002)); }, 5000))
        << GetControlText(dialog, 1002);
    Screenshot("folder-dialog.bmp");
    Click(dialog, IDOK);
    ASSERT_TRUE(WaitForWindowGone(dialog));
    EXPECT_TRUE(SameText("C:\\SWT_BR\\SUB", GetControlText(page, kLocation)))
        << GetControlText(page, kLocation);
}

TEST_F(SetupWizard, BackFromTheDestinationPageShowsTheWelcomePage) {
    Start(kProfile);
    HWND page = DestinationPage();
    ASSERT_NE(nullptr, page);
    Click(page, kBack);
    HWND welcome = Wait("Welcome", {kNext});
    ASSERT_NE(nullptr, welcome);
    EXPECT_FALSE(IsWindowVisible(page));
    EXPECT_FALSE(IsControlEnabled(welcome, kBack));
    // Forward again: the reading page is passed over and the typed text is kept.
    Click(welcome, kNext);
    EXPECT_NE(nullptr, Wait("Select Directory", {kLocation}));
    EXPECT_EQ("C:\\SWTSHIFT\\", GetControlText(page, kLocation));
}

TEST_F(SetupWizard, MissingProfileEndsOnTheFailedPageAfterTheErrorDialog) {
    DeleteFileA(LogPath().c_str());
    Start(nullptr);
    HWND welcome = Wait("Welcome", {kNext});
    ASSERT_NE(nullptr, welcome);
    Click(welcome, kNext);
    HWND error = Wait("", {140, 144, 119});
    ASSERT_NE(nullptr, error);
    EXPECT_EQ("Incomplete or missing profile.", GetControlText(error, 140));
    EXPECT_EQ("9.0 (CInstallProfileException)", GetControlText(error, 144));
    Click(error, IDOK);
    HWND failed = WaitForText("Corvatek Shiftwell has NOT been properly installed. You should run "
                              "this setup procedure again in its entirety.");
    ASSERT_NE(nullptr, failed);
    Click(failed, IDOK);
    ASSERT_TRUE(m_process.Wait(20000));
    // No status library in this prefix: the log says so.
    CProfileKeyList events("Events");
    events.SetFile(CSetupPath(LogPath()));
    CProfileValue event;
    ASSERT_TRUE(events.First(event));
    event.Read();
    EXPECT_EQ("Could not write SMS status.", event.GetValue());
}

TEST_F(SetupWizard, RemovalCompletePageOffersOnlyFinish) {
    WriteFileBytes(LogPath(), "[destinations]\r\n0=SWTSHIFT|-1|C:\\SWTSHIFT\\\r\n");
    Start(nullptr, "/U");
    HWND welcome = Wait("Removing Corvatek Shiftwell", {kNext});
    ASSERT_NE(nullptr, welcome);
    Click(welcome, kNext);
    HWND removed = WaitForText("Corvatek Shiftwell has been removed from your computer.");
    ASSERT_NE(nullptr, removed);
    EXPECT_TRUE(WaitUntil([&] { return GetControlText(removed, kNext) == "&Finish"; }));
    EXPECT_TRUE(IsControlEnabled(removed, kNext));
    EXPECT_FALSE(IsControlEnabled(removed, kBack));
    EXPECT_FALSE(IsControlEnabled(removed, IDCANCEL));
    Click(removed, kNext);
    EXPECT_TRUE(m_process.Wait(20000));
    DeleteFileA(LogPath().c_str());
}

} // namespace
