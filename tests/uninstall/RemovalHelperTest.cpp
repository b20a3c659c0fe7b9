// The removal helper "_kstinst.exe" against a stand-in setup program that is still running
// when the helper starts, in a throwaway Wine prefix.
#include "sample/kstinst/RemovalHelper.h"

#include "TestFiles.h"

#include "framework/ui/Handle.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#if !defined(SLEEPER_EXE) || !defined(HELPER_EXE)
#error "SLEEPER_EXE and HELPER_EXE must name the stand-in program and _kstinst.exe"
#endif

namespace {

std::string ShortPath(const std::string& path) {
    char buffer[MAX_PATH * 2] = {};
    DWORD n = GetShortPathNameA(path.c_str(), buffer, sizeof buffer);
    return n == 0 || n >= sizeof buffer ? path : std::string(buffer, n);
}

// A started program, ended and closed when destroyed.
class CRunningProgram {
public:
    CRunningProgram(const std::string& path, DWORD milliseconds) {
        std::string line = "\"" + path + "\" " + std::to_string(milliseconds);
        std::vector<char> text(line.begin(), line.end());
        text.push_back('\0');
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION info = {};
        if (CreateProcessA(path.c_str(), text.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                           &startup, &info)) {
            CHandle thread(info.hThread);
            m_process.Reset(info.hProcess);
            // Up and running, its file mapped, before the helper looks at it.
            WaitForInputIdle(m_process.Get(), 2000);
            Sleep(300);
        }
    }
    ~CRunningProgram() { End(); }
    void End() {
        if (m_process.IsValid()) {
            TerminateProcess(m_process.Get(), 0);
            WaitForSingleObject(m_process.Get(), 5000);
            m_process.Reset();
        }
    }
    bool Started() const { return m_process.IsValid(); }
    bool Ended() const { return WaitForSingleObject(m_process.Get(), 0) == WAIT_OBJECT_0; }

private:
    CHandle m_process;
};

// An install folder INST\ holding a copy of the stand-in as SETUP.EXE, and a log naming it.
class RemovalHelperTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_strInstall = m_scratch.Path("INST\\");
        CreateDirectoryA(m_strInstall.c_str(), nullptr);
        m_strSetup = m_strInstall + "SETUP.EXE";
        ASSERT_TRUE(CopyFileA(SLEEPER_EXE, m_strSetup.c_str(), FALSE)) << SLEEPER_EXE;
        m_settings.strLogPath = m_scratch.Path("shift.log");
        m_settings.nWaitMilliseconds = 20000;
        m_settings.nPollMilliseconds = 50;
        LogInstallFolder(m_strInstall.substr(0, m_strInstall.size() - 1));
    }

    void LogInstallFolder(const std::string& folder) {
        WritePrivateProfileStringA("destinations", "0", ("INST||" + folder).c_str(),
                                   m_settings.strLogPath.c_str());
    }

    HelperResult Run(const std::string& setupProgram) {
        return RunRemovalHelper("/U /PP:" + ShortPath(setupProgram), m_settings);
    }

    CScratchFolder m_scratch;
    std::string m_strInstall, m_strSetup;
    HelperSettings m_settings;
};

} // namespace

TEST_F(RemovalHelperTest, DeletesTheSetupProgramOnceItHasEndedAndTheEmptyFolder) {
    CRunningProgram setup(m_strSetup, 1500);
    ASSERT_TRUE(setup.Started());

    EXPECT_EQ(kHelperDone, Run(m_strSetup));

    EXPECT_TRUE(setup.Ended());
    EXPECT_FALSE(FileExists(m_strSetup));
    EXPECT_FALSE(FolderExists(m_strInstall));
    EXPECT_TRUE(FileExists(m_settings.strLogPath));
}

TEST_F(RemovalHelperTest, RemovesTheFolderItWasStartedIn) {
    // Setup starts the helper with the install folder as its current directory.
    char previous[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, previous);
    ASSERT_TRUE(SetCurrentDirectoryA(m_strInstall.c_str()));

    EXPECT_EQ(kHelperDone, Run(m_strSetup));
    EXPECT_FALSE(FolderExists(m_strInstall));
    SetCurrentDirectoryA(previous);
}

TEST_F(RemovalHelperTest, LeavesEverythingElseAndAFolderThatIsNotEmpty) {
    WriteFileBytes(m_strInstall + "MINE.DOC", "the user's own");
    SetFileAttributesA(m_strSetup.c_str(), FILE_ATTRIBUTE_READONLY);

    EXPECT_EQ(kHelperDone, Run(m_strSetup));

    EXPECT_FALSE(FileExists(m_strSetup));
    EXPECT_TRUE(FileExists(m_strInstall + "MINE.DOC"));
    EXPECT_TRUE(FolderExists(m_strInstall));
}

TEST_F(RemovalHelperTest, GivesUpWhenTheSetupProgramDoesNotEndInTime) {
    m_settings.nWaitMilliseconds = 600;
    CRunningProgram setup(m_strSetup, 30000);
    ASSERT_TRUE(setup.Started());

    EXPECT_EQ(kHelperTimedOut, Run(m_strSetup));

    EXPECT_TRUE(FileExists(m_strSetup));
    EXPECT_TRUE(FolderExists(m_strInstall));
}

TEST_F(RemovalHelperTest, RefusesASetupProgramOutsideTheLoggedInstallFolder) {
    // Uninstall run from the diskettes (or any other copy of setup): that copy stays.
    const std::string elsewhere = m_scratch.Path("SETUP.EXE");
    ASSERT_TRUE(CopyFileA(m_strSetup.c_str(), elsewhere.c_str(), FALSE));

    EXPECT_EQ(kHelperRefused, Run(elsewhere));
    EXPECT_TRUE(FileExists(elsewhere));

    LogInstallFolder("");
    EXPECT_EQ(kHelperRefused, Run(m_strSetup));
    EXPECT_TRUE(FileExists(m_strSetup));
}

TEST_F(RemovalHelperTest, RefusesAnythingButAProgramFile) {
    const std::string profile = m_strInstall + "SETUP.INI";
    WriteFileBytes(profile, "[GroupCreated]\r\n");

    EXPECT_EQ(kHelperRefused, Run(profile));
    EXPECT_EQ(kHelperRefused, Run(m_strInstall + "SUB.EXE\\"));

    EXPECT_TRUE(FileExists(profile));
    EXPECT_TRUE(FolderExists(m_strInstall));
}

TEST_F(RemovalHelperTest, DoesNothingWithoutBothSwitches) {
    EXPECT_EQ(kHelperUsage, RunRemovalHelper("", m_settings));
    EXPECT_EQ(kHelperUsage, RunRemovalHelper("/U", m_settings));
    EXPECT_EQ(kHelperUsage, RunRemovalHelper("/PP:" + m_strSetup, m_settings));
    EXPECT_TRUE(FileExists(m_strSetup));
}

TEST_F(RemovalHelperTest, FindsTheSetupProgramByItsLongPathToo) {
    EXPECT_EQ(kHelperDone, RunRemovalHelper("/U /PP:\"" + m_strSetup + "\"", m_settings));
    EXPECT_FALSE(FileExists(m_strSetup));
}

TEST_F(RemovalHelperTest, StartedWithWinExecItLetsItsStarterEndFirst) {
    // The real program, as setup starts it: it reads the install log in the Windows folder.
    char windows[MAX_PATH] = {};
    GetWindowsDirectoryA(windows, MAX_PATH);
    const std::string log = std::string(windows) + "\\shift.log";
    char previous[1024] = {};
    GetPrivateProfileStringA("destinations", "0", "", previous, sizeof previous, log.c_str());
    WritePrivateProfileStringA("destinations", "0",
                               ("INST||" + m_strInstall.substr(0, m_strInstall.size() - 1)).c_str(),
                               log.c_str());
    CRunningProgram setup(m_strSetup, 20000);
    ASSERT_TRUE(setup.Started());

    // WinExec returns once the new program waits for input; a helper that only slept would
    // hold its starter (setup, which it waits for) for half a minute.
    const DWORD start = GetTickCount();
    const std::string command = std::string(HELPER_EXE) + " /U /PP:" + ShortPath(m_strSetup);
    EXPECT_GT(WinExec(command.c_str(), SW_SHOW), 31u);
    EXPECT_LT(GetTickCount() - start, 10000u);
    EXPECT_TRUE(FileExists(m_strSetup));

    setup.End(); // setup ends: the helper finishes the removal
    for (int i = 0; i < 200 && FolderExists(m_strInstall); ++i)
        Sleep(50);
    EXPECT_FALSE(FileExists(m_strSetup));
    EXPECT_FALSE(FolderExists(m_strInstall));
    WritePrivateProfileStringA("destinations", "0", previous[0] ? previous : nullptr, log.c_str());
}
