// CSetupApp: the program's one application object. It owns everything that outlives a
// wizard page: the product strings, the install model, the paths of the setup profile, the
// source folder and the install log, and the outcome flags. Every part of the program
// reaches it through GetSetupApp() and reads or writes the fields directly. Win32 only.
//
// Life: constructed (flags at their initial values) -> InitInstance (model, strings, paths,
// switches, background window, first page) -> the wizard runs in the message loop -> the
// background window is destroyed by GoToPage(-1) -> ExitInstance (pages, status report,
// freeing, removal helper).
#pragma once

#include "framework/Exception.h"
#include "framework/ui/WinApp.h"

#include <cstdint>
#include <memory>
#include <string>

class CDestinationMap;
class CFileGroupMap;
class CProgramItemMap;
class CInstallPlan;
class CDisketteArray;
class CSetupPath;

class CSetupApp : public CWinApp {
public:
    CSetupApp();
    ~CSetupApp() override;

    // Start-up in this order: critical-error boxes off, model, strings, paths, dialog
    // colours, command line, background window, first page (102, or the uninstall pages with
    // /U). False only when the background window cannot be created; the run has then failed.
    bool InitInstance() override;
    // Pages, status report, model and paths, then the removal helper after a successful
    // uninstall. Returns the exit code (ExitCodeFor).
    int ExitInstance() override;
    // The exit code deployment systems understand: ERROR_SUCCESS (0); a success that waits
    // for a restart, ERROR_SUCCESS_REBOOT_REQUIRED (3010); cancelled by the user,
    // ERROR_INSTALL_USEREXIT (1602); failed, ERROR_INSTALL_FAILURE (1603).
    int ExitCodeFor() const;
    // Shows the exception with message 9 ("Setup cannot continue"); the loop goes on.
    LRESULT ProcessWndProcException(const CException& e, const MSG* msg) override;

    // Sets every file group's selected flag for setup type 0 (none) to 4 (all): 1 minimum,
    // 2 typical, 3 custom.
    void SelectGroupsForType(int type);
    // Replaces the folder of the source directory (its file name part stays).
    void SetSourceDirectory(const std::string& directory);
    // Writes "destinations", "groups" and "targets" into the install log.
    void WriteInstallLog();
    // Records a printf-style event in the install log; returns the text's length.
    int LogEvent(const char* format, ...);
    // Uninstall mode: the install log becomes the profile and the wizard starts at 1545.
    void StartUninstall();
    // Starts the removal helper "_kstinst.exe" (after a successful uninstall, at exit).
    virtual void LaunchUninstallHelper();
    // The page the wizard moves to could not be created, so nobody could go on: the run ends
    // as a failure, with an event in the install log, after the error is shown.
    void EndWithoutPage(int pageId, const CException& e);

    // The steps of InitInstance that need no window, for InitInstance and the tests.
    void CreateModel();
    void LoadProductStrings();
    void CreatePaths(); // profile beside the running program, its folder, the log
    void ApplyCommandLine(const std::string& commandLine);

    std::string m_strSetupTitle;
    std::string m_strGroupName;
    std::string m_strProductName;
    std::string m_strMainExe;
    int32_t m_bUninstall;
    std::unique_ptr<CDestinationMap> m_pDestinations;
    std::unique_ptr<CFileGroupMap> m_pGroups;
    std::unique_ptr<CProgramItemMap> m_pItems;
    std::unique_ptr<CInstallPlan> m_pFileLists;
    std::unique_ptr<CDisketteArray> m_pDiskettes;
    std::unique_ptr<CSetupPath> m_pProfilePath;
    std::unique_ptr<CSetupPath> m_pSourceDir;
    std::unique_ptr<CSetupPath> m_pLogPath;
    int32_t m_bWriteLog;
    int32_t m_bSucceeded; // only ever goes from 1 to 0; also the stop signal of long loops
    int32_t m_bBatch;
    int32_t m_bIgnoreConditions;
    int32_t m_bRestartNeeded; // only ever goes from 0 to 1
    int32_t m_bCancelled = 0; // the user chose to stop (not set by unattended answers)

protected:
    // Creates the background window and makes it the main window; false on failure.
    virtual bool CreateMainWindow();
    // Hands the outcome to the systems-management status report; false when it could not
    // be written.
    virtual bool WriteStatusReport(const std::string& statusFileName,
                                   const std::string& description);
    void FreeModel();
};

// The running application object. Precondition: a CSetupApp exists.
CSetupApp& GetSetupApp();
