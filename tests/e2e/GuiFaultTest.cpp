// Faults an installation must survive, with SETUP.EXE operated through the GUI driver in a
// prefix of the fault tests' own:
// - Cancel on every page before the copy and at several points of the copy: the run ends on
//   the failed page with the cancelled exit code, leaves no temporary file, no log line
//   without its file (nor the other way round) and no registry entry of a later step;
// - Cancel at several points of a removal: the run ends on the failed page with the
//   cancelled exit code, the entries the unregistering step would remove are still there
//   and the removal helper is not started;
// - a disk that fills up during the copy (drive S:, a small file system when the machine lets
//   the tests mount one): the member that fills it fails with "Disk full" in the question,
//   Continue goes on with the next record, Cancel ends on the failed page; what was installed
//   before stays whole and logged, and the uninstall removes it.
// A file in use during the installation is covered by the installation's own GUI tests.
#include "GuiInstallSupport.h"
#include "HandInstall.h"
#include "ProductState.h"

#include "transfer/SetupPath.h"

#include <algorithm>
#include <functional>
#include <set>

namespace {

constexpr char kAppPathsKey[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\shift.exe";
constexpr char kUninstallKey[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Corvatek Shiftwell";
constexpr int kErrorTitleId = 140;
constexpr int kErrorQuestionId = 141;

// A name MakeUniqueName gives a temporary copy: eight lowercase hexadecimal digits.
bool IsTemporaryName(const std::string& name) {
    size_t dot = name.find('.');
    if ((dot == std::string::npos ? name.size() : dot) != 8)
        return false;
    return std::all_of(name.begin(), name.begin() + 8,
                       [](char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'); });
}

class FaultRun : public GuiInstall {
protected:
    void SetUp() override {
        GuiInstall::SetUp();
        // The prefix is the fault tests' own: a clean log and no entries of an earlier test.
        DeleteFileA(Log().c_str());
        RegDeleteKeyA(HKEY_LOCAL_MACHINE, kAppPathsKey);
        RegDeleteKeyA(HKEY_LOCAL_MACHINE, kUninstallKey);
    }

    // Walks to the group page with the destination typed in (empty: as proposed).
    HWND WalkToGroupPageInto(const std::string& destination) {
        HWND welcome = WaitPage("Welcome", {kNextId});
        if (!welcome)
            return nullptr;
        Click(welcome, kNextId);
        HWND page = WaitPage("Select Directory", {1001, kNextId});
        if (!page)
            return nullptr;
        if (!destination.empty()) {
            TypeText(page, 1001, destination);
            m_install = destination + "\\";
        }
        Click(page, kNextId);
        return WaitPage("Select Program Item Group", {kGroupEditId, kGroupListId});
    }

    // Cancel on `page`, Yes to the question, OK on the failed page: the cancelled code.
    void CancelWithYes(HWND page) {
        ASSERT_NE(page, nullptr);
        Click(page, IDCANCEL);
        HWND question = WaitPage(kTitle, {IDYES, IDNO});
        ASSERT_NE(question, nullptr) << "no question after Cancel";
        Click(question, IDYES);
        EndOnTheFailedPage(kCancelledCode);
    }
    void EndOnTheFailedPage(DWORD code) {
        HWND failed = WaitFailedPage();
        ASSERT_NE(failed, nullptr) << "no failed page";
        Shot("failed");
        Click(failed, IDOK);
        ExpectEndsWithCode(code);
    }

    // The install folder holds exactly the files the log names for it, whole, and no
    // temporary copy; no step after the copy has run.
    void ExpectConsistentStop() {
        std::vector<std::string> files = ListFilesBelow(m_install);
        for (const std::string& file : files)
            EXPECT_FALSE(IsTemporaryName(CSetupPath(file).GetFileName())) << file;
        std::set<std::string> logged;
        for (const char* section : {"Program", "Installer", "Help"})
            for (const std::string& key : IniKeys(Log(), section)) {
                std::string value = IniValue(Log(), section, key.c_str());
                if (value.rfind("0|", 0) == 0)
                    logged.insert(key);
                else if (value.rfind("1|", 0) == 0)
                    logged.insert("DATA\\" + key);
            }
        std::set<std::string> present(files.begin(), files.end());
        present.erase("SETUP.INI");
        EXPECT_EQ(logged, present);
        const std::string payload = HostPathToWindows(SHIFTWELL_PAYLOAD_HOST_DIR) + "\\";
        for (const std::string& file : present)
            EXPECT_TRUE(ReadFileBytes(payload + PayloadName(CSetupPath(file).GetFileName())) ==
                        ReadFileBytes(m_install + file))
                << file << " differs from the payload";
        EXPECT_EQ("", IniValue(m_install + "SETUP.INI", "GroupCreated", "Data0"));
        EXPECT_FALSE(RegistryKeyExists(HKEY_LOCAL_MACHINE, kAppPathsKey));
        EXPECT_FALSE(RegistryKeyExists(HKEY_LOCAL_MACHINE, kUninstallKey));
        EXPECT_EQ("", IniValue(Log(), "destinations", "0"));
    }
};

TEST_F(FaultRun, CancelOnTheWelcomePage) {
    Start("");
    CancelWithYes(WaitPage("Welcome", {kNextId}));
    EXPECT_FALSE(PathExists(m_install));
    ExpectConsistentStop();
}

TEST_F(FaultRun, CancelOnTheDestinationPage) {
    Start("");
    HWND welcome = WaitPage("Welcome", {kNextId});
    ASSERT_NE(welcome, nullptr);
    Click(welcome, kNextId);
    CancelWithYes(WaitPage("Select Directory", {1001, kNextId}));
    EXPECT_FALSE(PathExists(m_install));
    ExpectConsistentStop();
}

TEST_F(FaultRun, CancelOnTheGroupPage) {
    Start("");
    CancelWithYes(WalkToGroupPageInto(""));
    ExpectConsistentStop();
}

// The copy is held by the Insert Diskette prompt for one source file, which waits in another
// folder: Cancel is pressed meanwhile and examined at the first tick after the prompt.
class CancelWhileCopyingAt : public FaultRun, public ::testing::WithParamInterface<const char*> {
protected:
    void CancelAtTheFile(int disk, const std::string& name) {
        std::string side = "C:\\SWSIDE_" + m_strName;
        ASSERT_TRUE(CreateDirectoryA(side.c_str(), nullptr));
        ASSERT_TRUE(MoveFileA(Disk(disk, name).c_str(), (side + "\\" + name).c_str()));
        Start("");
        HWND group = WalkToGroupPageInto("");
        ASSERT_NE(group, nullptr);
        Click(group, kNextId);
        HWND prompt = WaitPage("Insert Diskette", {1001, IDOK});
        HWND copy = FindTopWindow(Query(kTitle, {1008, 1009}));
        ASSERT_NE(prompt, nullptr);
        ASSERT_NE(copy, nullptr);
        Click(copy, IDCANCEL);
        TypeText(prompt, 1001, side);
        Click(prompt, IDOK);
        HWND question = WaitPage(kTitle, {IDYES, IDNO});
        ASSERT_NE(question, nullptr) << "no question after Cancel";
        Shot("question");
        Click(question, IDYES);
        EndOnTheFailedPage(kCancelledCode);
    }
};

TEST_P(CancelWhileCopyingAt, EndsOnTheFailedPageWithNothingHalfDone) {
    const std::string point = GetParam();
    if (point == "archive-start")
        CancelAtTheFile(1, "SHIFT.1"); // after the setup program's record
    else if (point == "next-volume")
        CancelAtTheFile(2, "SHIFT.2"); // in the middle of shift.dat
    else
        CancelAtTheFile(2, "SHARED.1"); // after the program's archive
    ExpectConsistentStop();
}

INSTANTIATE_TEST_SUITE_P(Points, CancelWhileCopyingAt,
                         ::testing::Values("archive-start", "next-volume", "shared-archive"));

// An installation made by hand with many files, so that the removal takes a while; Cancel is
// pressed once the removal page has shown the given number of different files.
class CancelWhileRemovingAt : public FaultRun, public ::testing::WithParamInterface<int> {};

TEST_P(CancelWhileRemovingAt, EndsOnTheFailedPageAndKeepsWhatLaterStepsRemove) {
    HandInstallOptions options;
    options.strInstallDir = "C:\\SWRM_" + m_strName + "\\";
    options.strSetupExe = HostPathToWindows(SETUP_EXE_HOST_PATH);
    options.strHelperExe = HostPathToWindows(HELPER_EXE_HOST_PATH);
    options.strLibraryDll = HostPathToWindows(LIBRARY_DLL_HOST_PATH);
    options.nBulkFiles = 600;
    InstallByHand(options);
    std::string program, arguments;
    CProductState::UninstallCommand(program, arguments);
    ASSERT_TRUE(m_setup.Launch(program, arguments, options.strInstallDir)) << program;
    HWND welcome = WaitPage("Removing Corvatek Shiftwell", {kNextId});
    ASSERT_NE(welcome, nullptr);
    Click(welcome, kNextId);
    constexpr int kRemovingFileId = 1031;
    HWND removing = WaitPage(kTitle, {kRemovingFileId, IDCANCEL});
    ASSERT_NE(removing, nullptr);
    std::string shown;
    for (int seen = 0; seen < GetParam();) {
        ASSERT_TRUE(WaitUntil([&] {
            std::string now = GetControlText(removing, kRemovingFileId);
            if (now.empty() || now == shown)
                return false;
            shown = now;
            return true;
        })) << "the removal ended after "
            << seen << " files";
        ++seen;
    }
    CancelWithYes(removing);

    // The unregistering step never ran: its entries and the log are still there, and so is
    // the setup program, which the removal helper would have taken.
    EXPECT_TRUE(RegistryKeyExists(HKEY_LOCAL_MACHINE, kUninstallKey));
    EXPECT_TRUE(PathExists(Log()));
    Sleep(2000);
    EXPECT_TRUE(PathExists(options.strInstallDir + "SETUP.EXE"));
    RemoveFolderTree(options.strInstallDir);
}

// The page is sampled, not followed file by file: a busy machine shows a quarter of the 600
// names or fewer, so the last point stays well below that.
INSTANTIATE_TEST_SUITE_P(Points, CancelWhileRemovingAt, ::testing::Values(0, 10, 60));

// Drive S: is a small file system: the setup program, shift.exe, REGISTER.INI and
// shiftreg.dll fit on it, shift.dat (1.6 MB) does not.
class DiskFull : public FaultRun {
protected:
    void SetUp() override {
        FaultRun::SetUp();
        if (GetDriveTypeA("S:\\") == DRIVE_NO_ROOT_DIR || !PathExists("S:\\"))
            GTEST_SKIP() << "drive S: is not mapped to a small file system on this machine";
        RemoveFolderTree("S:\\SW\\");
    }
    // Up to the question after the member that filled the disk.
    HWND RunIntoTheFullDisk() {
        Start("");
        HWND group = WalkToGroupPageInto("S:\\SW");
        if (!group)
            return nullptr;
        Click(group, kNextId);
        HWND error = WaitPage("Warning", {IDOK, IDCANCEL, kErrorQuestionId});
        if (!error)
            return nullptr;
        Shot("disk-full");
        EXPECT_EQ("Cannot install files from 'SHIFT.1':", GetControlText(error, kErrorQuestionId));
        EXPECT_EQ("Disk full", GetControlText(error, kErrorTitleId));
        return error;
    }
};

TEST_F(DiskFull, ContinueGoesOnAndTheUninstallRemovesWhatWasInstalled) {
    HWND error = RunIntoTheFullDisk();
    ASSERT_NE(error, nullptr);
    Click(error, IDOK); // Continue Operation
    HWND complete = WaitCompletePage();
    ASSERT_NE(complete, nullptr);
    Click(complete, IDOK);
    ExpectEndsWithCode(0);

    // The records after the full disk were installed; shift.dat left nothing behind.
    EXPECT_TRUE(PathExists("S:\\SW\\shift.txt"));
    EXPECT_EQ("0|1|0", IniValue(Log(), "Help", "shift.txt"));
    EXPECT_EQ("", IniValue(Log(), "Program", "shift.dat"));
    std::vector<std::string> files = ListFilesBelow("S:\\SW\\");
    std::sort(files.begin(), files.end());
    EXPECT_EQ((std::vector<std::string>{"REGISTER.INI", "SETUP.EXE", "SETUP.INI", "shift.exe",
                                        "shift.txt", "shiftreg.dll"}),
              files);
    const std::string payload = HostPathToWindows(SHIFTWELL_PAYLOAD_HOST_DIR) + "\\";
    for (const char* name : {"SETUP.EXE", "shift.exe", "REGISTER.INI", "shiftreg.dll"})
        EXPECT_TRUE(ReadFileBytes(payload + PayloadName(name)) ==
                    ReadFileBytes(std::string("S:\\SW\\") + name))
            << name;

    // The uninstall of that run takes away what it installed.
    CProductState state;
    state.Capture(Log());
    ASSERT_EQ("S:\\SW\\", state.m_strInstallDir);
    CProcess uninstall;
    ASSERT_TRUE(uninstall.Launch("S:\\SW\\SETUP.EXE", "/U /B", "S:\\SW"));
    DWORD code = 12345;
    ASSERT_TRUE(uninstall.Wait(kEndTimeoutMs, &code));
    EXPECT_EQ(0u, code);
    // The removal helper takes the setup program once setup has ended; SETUP.INI keeps the
    // folder.
    EXPECT_TRUE(WaitUntil([] { return !PathExists("S:\\SW\\SETUP.EXE"); }, 30000));
    EXPECT_TRUE(PathExists("S:\\SW\\SETUP.INI"));
    ExpectRemoved(state, true);
}

TEST_F(DiskFull, CancelEndsOnTheFailedPageWithTheEarlierFilesWhole) {
    HWND error = RunIntoTheFullDisk();
    ASSERT_NE(error, nullptr);
    Click(error, IDCANCEL); // Cancel Operation
    EndOnTheFailedPage(kFailedCode);
    ExpectConsistentStop();
    EXPECT_TRUE(PathExists("S:\\SW\\shiftreg.dll"));
    EXPECT_FALSE(PathExists("S:\\SW\\DATA\\shift.dat"));
}

} // namespace
