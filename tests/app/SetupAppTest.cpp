// The application object: where the profile and the source folder come from, which
// switches take effect, what the status report says at exit and when the removal helper
// starts, and that an exception escaping a window procedure is shown with message 9.
#include "app/PageIds.h"
#include "app/SetupApp.h"
#include "app/Wizard.h"
#include "app/WizardPage.h"
#include "framework/Exception.h"
#include "framework/ui/FrameWnd.h"
#include "profile/FileGroup.h"
#include "transfer/SetupPath.h"

#include "GuiDriver.h"
#include "InProcess.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <stdexcept>

using namespace guidriver;

namespace {

std::string ModulePath() {
    char path[MAX_PATH + 1] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    return path;
}

std::string ReadWholeFile(const std::string& path) {
    std::ifstream in(path);
    std::stringstream content;
    content << in.rdbuf();
    return content.str();
}

std::string TestLogPath(const char* name) {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    return std::string(temp) + name;
}

class CRecordingSetupApp : public CSetupApp {
public:
    bool WriteStatusReport(const std::string& statusFileName,
                           const std::string& description) override {
        ++m_nReports;
        m_strStatusFile = statusFileName;
        m_strDescription = description;
        m_nSuccess = m_bSucceeded;
        return m_bReportWritten;
    }
    void LaunchUninstallHelper() override { ++m_nHelperStarts; }

    bool m_bReportWritten = true;
    int m_nReports = 0;
    std::string m_strStatusFile;
    std::string m_strDescription;
    int m_nSuccess = -1;
    int m_nHelperStarts = 0;
};

class SetupApp : public ::testing::Test {
protected:
    void SetUp() override {
        m_app.CreateModel();
        m_app.LoadProductStrings();
        m_app.CreatePaths();
    }
    CRecordingSetupApp m_app;
};

} // namespace

TEST_F(SetupApp, ProductStringsComeFromTheStringTable) {
    EXPECT_EQ(m_app.m_strSetupTitle, "Corvatek Shiftwell Setup");
    EXPECT_EQ(m_app.m_strGroupName, "Corvatek Shiftwell");
    EXPECT_EQ(m_app.m_strProductName, "Corvatek Shiftwell");
    EXPECT_EQ(m_app.m_strMainExe, "shift.exe");
    EXPECT_EQ(m_app.m_bSucceeded, 1);
    EXPECT_EQ(m_app.m_bUninstall, 0);
    EXPECT_EQ(m_app.m_bRestartNeeded, 0);
}

TEST_F(SetupApp, WithoutSwitchesTheProfileIsTheProgramsOwnPathWithIni) {
    m_app.ApplyCommandLine("");
    CSetupPath module(ModulePath());
    CSetupPath expected(module);
    expected.SetExtension("ini");
    EXPECT_EQ(m_app.m_pProfilePath->GetText(), expected.GetText());
    EXPECT_EQ(m_app.m_pSourceDir->GetText(), module.GetFolder());
    EXPECT_EQ(m_app.m_pLogPath->GetFileName(), "shift.log");
    EXPECT_EQ(m_app.m_pLogPath->GetFolder(), CSetupPath(kRootWindowsDir).GetText());
    EXPECT_EQ(m_app.m_bUninstall + m_app.m_bBatch + m_app.m_bIgnoreConditions, 0);
}

TEST_F(SetupApp, SwitchDReadsTheProfileFromTheGivenFolder) {
    m_app.ApplyCommandLine("/D:E:\\DISK1");
    std::string title = CSetupPath(ModulePath()).GetTitle();
    EXPECT_EQ(m_app.m_pProfilePath->GetText(), "E:\\DISK1\\" + title + ".ini");
    EXPECT_EQ(m_app.m_pSourceDir->GetText(), "E:\\DISK1\\");
}

TEST_F(SetupApp, OnlyCapitalSwitchesTakeEffect) {
    m_app.ApplyCommandLine("/u /b /i");
    EXPECT_EQ(m_app.m_bUninstall + m_app.m_bBatch + m_app.m_bIgnoreConditions, 0);
    m_app.ApplyCommandLine("/B /I");
    EXPECT_EQ(m_app.m_bBatch, 1);
    EXPECT_EQ(m_app.m_bIgnoreConditions, 1);
    EXPECT_EQ(m_app.m_bUninstall, 0);
}

TEST_F(SetupApp, RemovalHelperCommandLineSelectsUninstallOnly) {
    std::string profile = m_app.m_pProfilePath->GetText();
    m_app.ApplyCommandLine(" /U /PP:C:\\X\\SETUP.EXE");
    EXPECT_EQ(m_app.m_bUninstall, 1);
    EXPECT_EQ(m_app.m_bBatch, 0);
    EXPECT_EQ(m_app.m_pProfilePath->GetText(), profile);
}

TEST_F(SetupApp, SourceDirectoryKeepsItsFileName) {
    m_app.m_pSourceDir->SetFileName("DATA.ARC");
    m_app.SetSourceDirectory("C:\\ALT");
    EXPECT_EQ(m_app.m_pSourceDir->GetText(), "C:\\ALT\\DATA.ARC");
}

TEST_F(SetupApp, SelectGroupsForTypeSetsEveryGroupsSelectedFlag) {
    auto group = std::make_unique<CFileGroup>();
    group->m_strKey = "Main";
    group->m_bInTypical = 1;
    CFileGroup* raw = group.get();
    m_app.m_pGroups->m_records["Main"] = std::move(group);
    m_app.SelectGroupsForType(2);
    EXPECT_EQ(raw->m_bSelected, 1);
    m_app.SelectGroupsForType(0);
    EXPECT_EQ(raw->m_bSelected, 0);
    m_app.SelectGroupsForType(4);
    EXPECT_EQ(raw->m_bSelected, 1);
}

TEST_F(SetupApp, CompletedRunReportsSuccessAndStartsNoHelper) {
    m_app.ExitInstance();
    EXPECT_EQ(m_app.m_nReports, 1);
    EXPECT_EQ(m_app.m_strStatusFile, "shift");
    EXPECT_EQ(m_app.m_strDescription, "Successful installation.");
    EXPECT_EQ(m_app.m_nSuccess, 1);
    EXPECT_EQ(m_app.m_nHelperStarts, 0);
    EXPECT_EQ(m_app.m_pDestinations, nullptr);
    EXPECT_EQ(m_app.m_pLogPath, nullptr);
}

TEST_F(SetupApp, CancelledRunReportsFailure) {
    m_app.m_bSucceeded = 0;
    m_app.ExitInstance();
    EXPECT_EQ(m_app.m_strDescription, "Install failed.");
    EXPECT_EQ(m_app.m_nSuccess, 0);
}

TEST_F(SetupApp, RemovalHelperStartsOnlyAfterASuccessfulUninstall) {
    m_app.m_bUninstall = 1;
    m_app.m_bSucceeded = 0;
    m_app.ExitInstance();
    EXPECT_EQ(m_app.m_nHelperStarts, 0);

    CRecordingSetupApp succeeded;
    succeeded.CreateModel();
    succeeded.CreatePaths();
    succeeded.m_bUninstall = 1;
    succeeded.ExitInstance();
    EXPECT_EQ(succeeded.m_nHelperStarts, 1);
}

TEST_F(SetupApp, ExitDestroysEveryPage) {
    new CWizardPage(102, 114);
    new CWizardPage(114, 1537);
    ASSERT_NE(FindPage(114), nullptr);
    m_app.ExitInstance();
    EXPECT_EQ(FindPage(102), nullptr);
    EXPECT_EQ(FindPage(114), nullptr);
}

TEST_F(SetupApp, UnwrittenStatusReportIsRecordedInTheLog) {
    std::string log = TestLogPath("shiftwell-exit-test.log");
    DeleteFileA(log.c_str());
    *m_app.m_pLogPath = log;
    m_app.m_bReportWritten = false;
    m_app.ExitInstance();
    std::string content = ReadWholeFile(log);
    EXPECT_NE(content.find("[Events]"), std::string::npos) << content;
    EXPECT_NE(content.find("=Could not write SMS status."), std::string::npos) << content;
    DeleteFileA(log.c_str());
}

namespace {

// A window whose handler throws, to see the application's handler at work.
class CThrowingWnd : public CFrameWnd {
public:
    bool m_bPlainError = false;

protected:
    void OnTimer(UINT_PTR) override {
        if (m_bPlainError)
            throw std::runtime_error("not a framework exception");
        throw CUserException();
    }
};

} // namespace

TEST_F(SetupApp, ExceptionEscapingAWindowProcedureIsShownWithMessageNine) {
    auto* wnd = new CThrowingWnd;
    ASSERT_TRUE(wnd->Create(CFrameWnd::RegisterWndClass(0).c_str(), "thrower", WS_OVERLAPPED));
    for (bool plain : {false, true}) {
        wnd->m_bPlainError = plain;
        std::string info, message;
        LRESULT result = -1;
        RunWithScript([&] { result = wnd->SendMessage(WM_TIMER, 1); },
                      [&] {
                          HWND dialog = WaitForWindow(OwnWindow("Warning", {144}));
                          ASSERT_NE(dialog, nullptr);
                          info = GetControlText(dialog, 144);
                          message = GetControlText(dialog, 141);
                          Click(dialog, IDOK);
                      });
        EXPECT_EQ(result, 0);
        EXPECT_EQ(message, "Setup cannot continue");
        EXPECT_EQ(info, plain ? "9.1 (CXException)" : "9.0 (CXUserException)");
    }
    wnd->DestroyWindow();
}

namespace {

// A run without its background window (no usable desktop), or with it but without pages.
class CWindowlessSetupApp : public CRecordingSetupApp {
public:
    CWindowlessSetupApp(std::string log, bool mainWindow)
        : m_strLog(std::move(log)), m_bMainWindow(mainWindow) {}

protected:
    bool CreateMainWindow() override {
        *m_pLogPath = m_strLog; // the events go to the test's own log
        return m_bMainWindow && CSetupApp::CreateMainWindow();
    }

private:
    std::string m_strLog;
    bool m_bMainWindow;
};

class CUncreatablePage : public CWizardPage {
public:
    using CWizardPage::CWizardPage;
    bool CreatePage() override { return false; }
};

// Only the install welcome page can be created (unattended runs go on from it).
CWizardPage* WelcomePageOnly(int id) {
    if (id == kWelcomePageId)
        return new CWizardPage(id, kReadingPageId);
    return new CUncreatablePage(id, kEndOfSetup);
}

} // namespace

// Nothing installed is a failure for whoever started the run, in both modes and in /U; and
// no system box about a drive that is not ready stops it on its way.
TEST(SetupAppStart, RunWithoutItsWindowFails) {
    std::string log = TestLogPath("shiftwell-nowindow-test.log");
    SetErrorMode(0);
    for (const char* commandLine : {"", "/B", "/U", "/U /B"}) {
        DeleteFileA(log.c_str());
        CWindowlessSetupApp app(log, false);
        EXPECT_EQ(ERROR_INSTALL_FAILURE,
                  RunApplication(app, GetModuleHandleA(nullptr), commandLine))
            << commandLine;
        EXPECT_EQ("Install failed.", app.m_strDescription) << commandLine;
        EXPECT_EQ(0, app.m_nSuccess) << commandLine;
        EXPECT_EQ(0, app.m_nHelperStarts) << commandLine;
        EXPECT_NE(std::string::npos, ReadWholeFile(log).find("=Could not create the setup window."))
            << commandLine;
    }
    DeleteFileA(log.c_str());
    UINT mode = SetErrorMode(0);
    EXPECT_EQ(UINT(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX), mode);
}

// A page the wizard cannot create, at the start (/U) or on the way (/B), ends the run as a
// failure after the error is shown.
TEST(SetupAppStart, PageThatCannotBeCreatedFailsTheRun) {
    std::string log = TestLogPath("shiftwell-nopage-test.log");
    SetPageFactory(WelcomePageOnly);
    for (const char* commandLine : {"/U", "/B"}) {
        DeleteFileA(log.c_str());
        CWindowlessSetupApp app(log, true);
        int code = 0;
        std::string message;
        RunWithScript([&] { code = RunApplication(app, GetModuleHandleA(nullptr), commandLine); },
                      [&] {
                          HWND dialog = WaitForWindow(OwnWindow("Warning", {144}));
                          ASSERT_NE(dialog, nullptr);
                          message = GetControlText(dialog, 141);
                          Click(dialog, IDOK);
                      });
        EXPECT_EQ(ERROR_INSTALL_FAILURE, code) << commandLine;
        EXPECT_EQ("Setup cannot continue", message) << commandLine;
        EXPECT_EQ("Install failed.", app.m_strDescription) << commandLine;
        std::string expected =
            std::string("=Could not create page ") + (app.m_bUninstall ? "1545." : "114.");
        EXPECT_NE(std::string::npos, ReadWholeFile(log).find(expected)) << commandLine;
    }
    SetPageFactory(nullptr);
    DeleteFileA(log.c_str());
}
