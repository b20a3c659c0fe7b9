#include "app/SetupApp.h"

#include "app/CommandLine.h"
#include "app/MainWnd.h"
#include "app/PageIds.h"
#include "app/Wizard.h"
#include "errors/ErrorDialog.h"
#include "framework/Exception.h"
#include "framework/Format.h"
#include "framework/ui/SystemLibrary.h"
#include "framework/ui/MessageBox.h"
#include "profile/Destination.h"
#include "profile/DisketteArray.h"
#include "profile/FileGroup.h"
#include "profile/InstallLog.h"
#include "profile/ProgramItem.h"
#include "res/StringIds.h"
#include "system/StatusReport.h"
#include "transfer/InstallPlan.h"
#include "transfer/SetupPath.h"

#include <windows.h>

#include <cstdarg>
#include <memory>

namespace {

constexpr char kLogFileName[] = "shift.log";
constexpr COLORREF kDialogBackground = RGB(192, 192, 192);
constexpr COLORREF kDialogText = RGB(0, 0, 0);

// The framework captions every message box with its application title string: the table's.
static_assert(kAppTitleStringId == IDS_APP_TITLE);

} // namespace

CSetupApp::CSetupApp()
    : m_bUninstall(0), m_bWriteLog(0), m_bSucceeded(1), m_bBatch(0), m_bIgnoreConditions(0),
      m_bRestartNeeded(0) {}

CSetupApp::~CSetupApp() = default;

CSetupApp& GetSetupApp() {
    return static_cast<CSetupApp&>(*GetApp());
}

bool CSetupApp::InitInstance() {
    // An empty diskette drive, or a library that is not there, comes back as an error that
    // setup answers itself (the Insert Diskette prompt, its own messages) instead of as the
    // system's box, which would also stop an unattended run. Flags set by whoever started
    // setup stay; a crash is still reported by the system.
    SetErrorMode(SetErrorMode(0) | SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    CreateModel();
    LoadProductStrings();
    CreatePaths();
    m_bWriteLog = 1;
    SetDialogBkColor(kDialogBackground, kDialogText);
    ApplyCommandLine(m_strCmdLine);
    if (!CreateMainWindow()) {
        // Nothing can run without it (a window station without a usable desktop, a full
        // desktop heap): the run has failed, and says so at exit.
        m_bSucceeded = 0;
        LogEvent("Could not create the setup window.");
        return false;
    }
    try {
        if (m_bUninstall)
            StartUninstall();
        else
            GoToPage(kWelcomePageId, kForward);
    } catch (const CException& e) {
        EndWithoutPage(m_bUninstall ? kUninstallWelcomePageId : kWelcomePageId, e);
    }
    return true;
}

void CSetupApp::EndWithoutPage(int pageId, const CException& e) {
    m_bSucceeded = 0;
    LogEvent("Could not create page %d.", pageId);
    ReportError(IDS_SETUP_FAILED, e);
    GoToPage(kEndOfSetup, kForward);
}

void CSetupApp::CreateModel() {
    m_pDestinations = std::make_unique<CDestinationMap>();
    m_pGroups = std::make_unique<CFileGroupMap>();
    m_pItems = std::make_unique<CProgramItemMap>();
    m_pFileLists = std::make_unique<CInstallPlan>();
    m_pDiskettes = std::make_unique<CDisketteArray>();
}

void CSetupApp::LoadProductStrings() {
    m_strSetupTitle = LoadResourceString(IDS_SETUP_TITLE);
    m_strGroupName = LoadResourceString(IDS_GROUP_NAME);
    m_strMainExe = LoadResourceString(IDS_MAIN_EXE);
    m_strProductName = LoadResourceString(IDS_PRODUCT_NAME);
}

void CSetupApp::CreatePaths() {
    char module[kMaxPath + 1] = {};
    DWORD n = GetModuleFileNameA(m_hInstance, module, kMaxPath);
    m_pProfilePath = std::make_unique<CSetupPath>(std::string(module, n < kMaxPath ? n : kMaxPath));
    m_pProfilePath->SetExtension("ini");
    m_pSourceDir = std::make_unique<CSetupPath>(static_cast<int>(kRootSetupDir));
    m_pLogPath = std::make_unique<CSetupPath>(static_cast<int>(kRootWindowsDir));
    m_pLogPath->SetFileName(kLogFileName);
}

void CSetupApp::ApplyCommandLine(const std::string& commandLine) {
    CCommandLine switches(commandLine);
    std::string directory;
    if (switches.GetSwitchValue("D", directory)) {
        m_pSourceDir->SetFolder(directory);
        m_pProfilePath->SetFolder(directory);
    }
    if (switches.HasSwitch("U"))
        m_bUninstall = 1;
    if (switches.HasSwitch("B"))
        m_bBatch = 1;
    if (switches.HasSwitch("I"))
        m_bIgnoreConditions = 1;
}

bool CSetupApp::CreateMainWindow() {
    if (m_bBatch) {
        // Nobody types into an unattended run: without an input method the first window
        // does not create the input method's window and with it start COM.
        using DisableIme = BOOL(WINAPI*)(DWORD);
        if (auto disable = SystemFunction<DisableIme>("imm32.dll", "ImmDisableIME"))
            disable(static_cast<DWORD>(-1));
    }
    auto wnd = std::make_unique<CMainWnd>();
    wnd->m_bAutoDelete = false; // a failed (or throwing) creation leaves the object to us
    if (!wnd->Create())
        return false;
    wnd->m_bAutoDelete = true;
    m_pMainWnd = wnd.release(); // from now on the window deletes it
    return true;
}

int CSetupApp::ExitInstance() {
    DestroyAllPages();
    std::string description =
        LoadResourceString(m_bSucceeded ? IDS_STATUS_SUCCEEDED : IDS_STATUS_FAILED);
    if (!WriteStatusReport(CSetupPath(m_strMainExe).GetTitle(), description))
        LogEvent("Could not write SMS status.");
    FreeModel();
    if (m_bUninstall && m_bSucceeded)
        LaunchUninstallHelper();
    CWinApp::ExitInstance();
    return ExitCodeFor();
}

int CSetupApp::ExitCodeFor() const {
    if (m_bSucceeded)
        return m_bRestartNeeded ? ERROR_SUCCESS_REBOOT_REQUIRED : ERROR_SUCCESS;
    return m_bCancelled ? ERROR_INSTALL_USEREXIT : ERROR_INSTALL_FAILURE;
}

bool CSetupApp::WriteStatusReport(const std::string& statusFileName,
                                  const std::string& description) {
    return WriteStatusMif(statusFileName.c_str(), "", m_strProductName.c_str(), "1.0", "ENU",
                          nullptr, description.c_str(), m_bSucceeded);
}

void CSetupApp::FreeModel() {
    m_pDestinations.reset();
    m_pGroups.reset();
    m_pItems.reset();
    m_pFileLists.reset();
    m_pDiskettes.reset();
    m_pProfilePath.reset();
    m_pSourceDir.reset();
    m_pLogPath.reset();
}

LRESULT CSetupApp::ProcessWndProcException(const CException& e, const MSG*) {
    ReportError(IDS_SETUP_FAILED, e);
    return 0;
}

void CSetupApp::SelectGroupsForType(int type) {
    if (m_pGroups)
        m_pGroups->SelectForType(type);
}

void CSetupApp::SetSourceDirectory(const std::string& directory) {
    if (m_pSourceDir)
        m_pSourceDir->SetFolder(directory);
}

void CSetupApp::WriteInstallLog() {
    if (m_pLogPath && m_pDestinations && m_pGroups && m_pItems)
        ::WriteInstallLog(*m_pLogPath, *m_pDestinations, *m_pGroups, *m_pItems);
}

int CSetupApp::LogEvent(const char* format, ...) {
    if (!m_pLogPath)
        return 0;
    va_list args;
    va_start(args, format);
    int length = LogEventV(*m_pLogPath, format, args);
    va_end(args);
    return length;
}
