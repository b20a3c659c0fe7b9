// What an installation of Corvatek Shiftwell left on the machine, read before an uninstall
// from the install log and the files beside the setup program, and the checks that the
// uninstall took all of it away (and left what it must leave). Win32, under Wine.
#pragma once

#include "TestFiles.h"
#include "WindowsTestSupport.h"

#include <windows.h>

#include <cstdint>
#include <map>
#include <string>
#include <vector>

struct LoggedFile {
    std::string strPath; // full path
    int16_t nDestination;
};

class CProductState {
public:
    // Reads the install log and, in the install folder it names, "SETUP.INI", "REGISTER.INI"
    // and "Register.ini"; the shared counts of the system files as they are now.
    void Capture(const std::string& logPath);

    // The uninstall command registered in the product's Uninstall entry: program and
    // arguments (empty program when there is none).
    static void UninstallCommand(std::string& program, std::string& arguments);

    std::string m_strLogPath;
    std::string m_strInstallDir;        // destination 0, with a trailing backslash
    std::vector<std::string> m_folders; // destinations 0 and above, with trailing backslashes
    std::string m_strSetupProgram;      // as the Uninstall entry names it
    std::string m_strGroup;             // "SETUP.INI" [GroupCreated]
    std::vector<LoggedFile> m_files;
    std::map<std::string, DWORD> m_sharedCounts; // system files: the count before (0: none)
    std::vector<std::string> m_itemTitles;       // "targets" with a path
    std::vector<std::string> m_extraItemTitles;  // REGISTER.INI [ProgramIconAppDir]
    std::vector<std::string> m_runValues;        // [StartUp] Desc
    std::vector<std::string> m_libraries;        // [AppDir] values
    std::vector<std::string> m_registryKeys;     // Register.ini [RegistryKeys]
    std::vector<std::string> m_dataPatterns;     // Register.ini [DataFiles]
};

// Everything the state names is in place (files, entries, items, marks).
void ExpectInstalled(const CProductState& state);
// Nothing of the product is left but the install log, "SETUP.INI" in the install folder
// (which therefore stays), the shared system files (one count lower) and the helper programs.
// The setup program and the folders are checked only when the removal helper has had its
// turn (helperRan).
void ExpectRemoved(const CProductState& state, bool helperRan);
// Nothing has been removed: every file and entry of ExpectInstalled is still there.
void ExpectNothingRemoved(const CProductState& state);

// What is there of the product where a removal works, one line per thing looked at: the files
// below its folders and the logged files, the folders, the shared counts (exactly, "none"
// when a file has none), the App Paths, Uninstall and start-up entries, the registry trees of
// "Register.ini", the registered component, the group and its items. Two removals that end
// alike give the same lines.
std::vector<std::string> DescribeProductLeftovers(const CProductState& state);

// The shared count of a file; 0 when it has none.
DWORD SharedCountOf(const std::string& path);
// The program group exists (a folder of the Start menu, or a Program Manager group).
bool GroupThere(const std::string& group);
// Waits (bounded) until the path no longer exists.
bool WaitUntilGone(const std::string& path, DWORD timeoutMs);
// The ids of the running processes of that program file name ("_kstinst.exe").
std::vector<DWORD> ProcessesNamed(const std::string& name);
// Waits (bounded) until no removal helper runs; false at the time-out. Setup starts the
// helper before it ends, so after setup's end a helper it started is running or done.
bool WaitForRemovalHelpers(DWORD timeoutMs);
