// The status report with and without the stand-in status library, and the restart decisions
// with recorded Windows calls (no test may ever reach the real restart).
#include "TestFiles.h"
#include "WindowsTestSupport.h"

#include "profile/ProfileValue.h"
#include "system/RestartServices.h"
#include "system/StatusReport.h"
#include "transfer/SetupPath.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

namespace {

// Every test runs with services that refuse to restart; a test that forgets to install its
// own recorder fails instead of restarting the computer.
class CRefusingServices : public CRestartServices {
public:
    BOOL ExitWindowsEx(UINT, DWORD) override {
        ADD_FAILURE() << "the real restart was reached";
        return FALSE;
    }
};

class NoRealRestart : public ::testing::Environment {
public:
    void SetUp() override { SetRestartServices(&m_refusing); }
    CRefusingServices m_refusing;
};

const ::testing::Environment* const g_noRealRestart =
    ::testing::AddGlobalTestEnvironment(new NoRealRestart);

std::string InSystemDir(const char* name) {
    CSetupPath path(kRootSystemDir);
    path.SetFileName(name);
    return path.GetText();
}

std::string ProgramFolder() {
    char module[MAX_PATH + 1] = {};
    GetModuleFileNameA(nullptr, module, MAX_PATH);
    return CSetupPath(module).GetFolder();
}

class StatusReport : public ::testing::Test {
protected:
    void SetUp() override { RemoveLibraries(); }
    void TearDown() override { RemoveLibraries(); }
    void RemoveLibraries() {
        DeleteFileA(InSystemDir("ismif32.dll").c_str());
        DeleteFileA((ProgramFolder() + "ismif32.dll").c_str());
        DeleteFileA(StatusFile().c_str());
    }
    static std::string StatusFile() {
        CSetupPath path(kRootWindowsDir);
        path.SetFileName("shift.mif");
        return path.GetText();
    }
    static std::string Status(const char* key) {
        return CProfileValue("", "Status", key, CSetupPath(StatusFile()), 0, 1).GetValue();
    }
    static bool Report(const char* description, int success) {
        return WriteStatusMif("shift", "", "Corvatek Shiftwell", "1.0", "ENU", nullptr, description,
                              success);
    }
};

TEST_F(StatusReport, WithoutTheLibraryTheReportIsNotWritten) {
    EXPECT_FALSE(Report("Successful installation.", 1));
    EXPECT_FALSE(PathExists(StatusFile()));
}

TEST_F(StatusReport, LibraryInTheSystemDirectoryWritesTheStatusFile) {
    ASSERT_TRUE(CopyFileA(HostPathToWindows(SHIFTWELL_ISMIF32).c_str(),
                          InSystemDir("ismif32.dll").c_str(), FALSE));
    EXPECT_TRUE(Report("Successful installation.", 1));
    EXPECT_EQ("Corvatek Shiftwell", Status("Product"));
    EXPECT_EQ("1.0", Status("Version"));
    EXPECT_EQ("ENU", Status("Locale"));
    EXPECT_EQ("Successful installation.", Status("Description"));
    EXPECT_EQ("1", Status("Success"));

    EXPECT_TRUE(Report("Install failed.", 0));
    EXPECT_EQ("Install failed.", Status("Description"));
    EXPECT_EQ("0", Status("Success"));
}

TEST_F(StatusReport, LibraryPlantedBesideTheProgramIsNeverLoaded) {
    ASSERT_TRUE(CopyFileA(HostPathToWindows(SHIFTWELL_ISMIF32).c_str(),
                          (ProgramFolder() + "ismif32.dll").c_str(), FALSE));
    char current[MAX_PATH + 1] = {};
    GetCurrentDirectoryA(MAX_PATH, current);
    SetCurrentDirectoryA(ProgramFolder().c_str());
    EXPECT_FALSE(Report("Successful installation.", 1));
    SetCurrentDirectoryA(current);
    EXPECT_FALSE(PathExists(StatusFile()));
}

TEST_F(StatusReport, LibraryWithoutTheFunctionIsNotWritten) {
    ASSERT_TRUE(CopyFileA(HostPathToWindows(SHIFTWELL_NO_STATUS_EXPORT).c_str(),
                          InSystemDir("ismif32.dll").c_str(), FALSE));
    EXPECT_FALSE(Report("Successful installation.", 1));
    // Freed again after the call: the file can be deleted.
    EXPECT_TRUE(DeleteFileA(InSystemDir("ismif32.dll").c_str()));
}

// ---- restart

class CRecordingServices : public CRestartServices {
public:
    DWORD GetPlatformId() override { return m_platform; }
    bool OpenProcessToken(DWORD access, CHandle&) override {
        m_calls.push_back("token " + std::to_string(access));
        return m_bToken;
    }
    bool LookupPrivilegeValue(const char* name, LUID& luid) override {
        m_calls.push_back(std::string("lookup ") + name);
        luid.LowPart = 19;
        return true;
    }
    bool AdjustTokenPrivileges(HANDLE, TOKEN_PRIVILEGES& privileges) override {
        m_calls.push_back("adjust " + std::to_string(privileges.PrivilegeCount) + " " +
                          std::to_string(privileges.Privileges[0].Luid.LowPart) + " " +
                          std::to_string(privileges.Privileges[0].Attributes));
        return true;
    }
    DWORD GetLastError() override { return m_lastError; }
    BOOL ExitWindowsEx(UINT flags, DWORD reserved) override {
        m_calls.push_back("exit " + std::to_string(flags) + " " + std::to_string(reserved));
        return m_exitResult;
    }

    DWORD m_platform = VER_PLATFORM_WIN32_NT;
    bool m_bToken = true;
    DWORD m_lastError = 0;
    BOOL m_exitResult = TRUE;
    std::vector<std::string> m_calls;
};

class Restart : public ::testing::Test {
protected:
    void SetUp() override { m_previous = SetRestartServices(&m_services); }
    void TearDown() override { SetRestartServices(m_previous); }
    CRecordingServices m_services;
    CRestartServices* m_previous = nullptr;
};

TEST_F(Restart, Windows95RestartsWithoutTokenWork) {
    m_services.m_platform = VER_PLATFORM_WIN32_WINDOWS;
    EXPECT_EQ(TRUE, RestartWindows());
    EXPECT_EQ(std::vector<std::string>{"exit 2 0"}, m_services.m_calls);
}

TEST_F(Restart, WindowsNtEnablesTheShutdownPrivilegeFirst) {
    EXPECT_EQ(TRUE, RestartWindows());
    EXPECT_EQ((std::vector<std::string>{"token 40", "lookup SeShutdownPrivilege", "adjust 1 19 2",
                                        "exit 2 0"}),
              m_services.m_calls);
}

TEST_F(Restart, WindowsNtUserWithoutThePrivilegeGetsNoRestart) {
    m_services.m_lastError = ERROR_NOT_ALL_ASSIGNED;
    EXPECT_EQ(ERROR_NOT_ALL_ASSIGNED, RestartWindows());
    EXPECT_EQ("adjust 1 19 2", m_services.m_calls.back());
}

TEST_F(Restart, WindowsNtWithoutTokenGetsNoRestart) {
    m_services.m_bToken = false;
    EXPECT_EQ(0, RestartWindows());
    EXPECT_EQ(std::vector<std::string>{"token 40"}, m_services.m_calls);
}

TEST_F(Restart, RefusedRestartReportsFailure) {
    m_services.m_exitResult = FALSE;
    EXPECT_EQ(FALSE, RestartWindows());
}

TEST(RestartServices, RealPlatformIsNtInTheDefaultPrefix) {
    CRestartServices real;
    EXPECT_EQ(static_cast<DWORD>(VER_PLATFORM_WIN32_NT), real.GetPlatformId());
}

} // namespace
