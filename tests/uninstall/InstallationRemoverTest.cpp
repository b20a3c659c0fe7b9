// The file and folder part of an uninstall on a hand-written install log, in a throwaway
// Wine prefix: what goes, what stays, shared counts of system files, and the log keys that
// must not reach outside the logged folders.
#include "uninstall/InstallationRemover.h"

#include "profile/Destination.h"
#include "profile/FileGroup.h"
#include "profile/InstallLog.h"
#include "uninstall/SharedFileCount.h"

#include "TestFiles.h"
#include "WindowsTestSupport.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

namespace {

void WriteIni(const std::string& file, const std::string& section, const std::string& key,
              const std::string& value) {
    WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), file.c_str());
}

// The shared count of a system file, when it has one.
bool SharedCount(const std::string& path, DWORD& count) {
    if (!RegistryValueExists(HKEY_LOCAL_MACHINE, kSharedDllsKey, path))
        return false;
    count = RegistryNumber(HKEY_LOCAL_MACHINE, kSharedDllsKey, path);
    return true;
}

void SetSharedCount(const std::string& path, DWORD count) {
    ASSERT_TRUE(SetRegistryNumber(HKEY_LOCAL_MACHINE, kSharedDllsKey, path, count));
}

// Records the files announced and stops before the file numbered stopAt (from 1; 0: never).
class CRecordingProgress : public CRemovalProgress {
public:
    bool OnRemovingFile(const CSetupPath& path) override {
        m_paths.push_back(path.GetText());
        return m_nStopAt == 0 || m_paths.size() < m_nStopAt;
    }
    std::vector<std::string> m_paths;
    size_t m_nStopAt = 0;
};

// An installation in a scratch folder: install folder INST\ (destination 0) with the
// subfolder DATA\ (destination 1), and the install log beside them.
class InstallationRemoverTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_strInstall = m_scratch.Path("INST\\");
        m_strData = m_strInstall + "DATA\\";
        CreateDirectoryA(m_strInstall.c_str(), nullptr);
        CreateDirectoryA(m_strData.c_str(), nullptr);
        m_strLog = m_scratch.Path("shift.log");
        // The install folder as the destination page sets it (no trailing backslash), the
        // subfolder as it resolves.
        WriteIni(m_strLog, "destinations", "0",
                 "INST||" + m_strInstall.substr(0, m_strInstall.size() - 1));
        WriteIni(m_strLog, "destinations", "1", "DATA|0|" + m_strData);
        WriteIni(m_strLog, "groups", "Program", "Program files|The program|1|1|1");
    }

    void Log(const std::string& file, const std::string& value, const char* group = "Program") {
        WriteIni(m_strLog, group, file, value);
    }

    // Loads the model from the log, as the reading page does in uninstall mode, and removes
    // every group's files and then the empty folders.
    bool Remove(CRemovalProgress* progress = nullptr) {
        m_destinations.LoadFromProfile(CSetupPath(m_strLog));
        m_groups.LoadFromProfile(CSetupPath(m_strLog));
        CInstallationRemover remover(m_destinations, progress);
        bool complete = true;
        for (const auto& group : m_groups.m_records) {
            if (!remover.RemoveLoggedFiles(*group.second, CSetupPath(m_strLog))) {
                complete = false;
                break;
            }
        }
        if (complete)
            remover.RemoveEmptyFolders();
        return complete;
    }

    CScratchFolder m_scratch;
    std::string m_strInstall, m_strData, m_strLog;
    CDestinationMap m_destinations;
    CFileGroupMap m_groups;
};

} // namespace

TEST_F(InstallationRemoverTest, RemovesEveryLoggedFileAndTheFoldersThatBecameEmpty) {
    WriteFileBytes(m_strInstall + "SHIFT.EXE", "program");
    WriteFileBytes(m_strInstall + "KEPT.TXT", "kept at install");
    WriteFileBytes(m_strData + "SAMPLE.DAT", "data");
    SetFileAttributesA((m_strData + "SAMPLE.DAT").c_str(), FILE_ATTRIBUTE_READONLY);
    Log("SHIFT.EXE", "0|1|0");
    Log("KEPT.TXT", "0|0|0"); // an existing copy that was not older: the product's all the same
    Log("SAMPLE.DAT", "1|1|1", "Data");
    WriteIni(m_strLog, "groups", "Data", "Data files|Samples|0|1|1");

    EXPECT_TRUE(Remove());

    EXPECT_FALSE(FileExists(m_strInstall + "SHIFT.EXE"));
    EXPECT_FALSE(FileExists(m_strInstall + "KEPT.TXT"));
    EXPECT_FALSE(FileExists(m_strData + "SAMPLE.DAT"));
    // Destination 0 comes first in the map, yet its subfolder is gone and so is it.
    EXPECT_FALSE(FolderExists(m_strData));
    EXPECT_FALSE(FolderExists(m_strInstall));
    EXPECT_TRUE(FileExists(m_strLog));
}

TEST_F(InstallationRemoverTest, KeepsFoldersThatStillHoldSomething) {
    WriteFileBytes(m_strInstall + "SHIFT.EXE", "program");
    WriteFileBytes(m_strInstall + "SETUP.INI", "[GroupCreated]\r\nData0=Corvatek Shiftwell\r\n");
    WriteFileBytes(m_strData + "MINE.DOC", "the user's own");
    Log("SHIFT.EXE", "0|1|0");

    EXPECT_TRUE(Remove());

    EXPECT_FALSE(FileExists(m_strInstall + "SHIFT.EXE"));
    EXPECT_TRUE(FileExists(m_strInstall + "SETUP.INI"));
    EXPECT_TRUE(FileExists(m_strData + "MINE.DOC"));
    EXPECT_TRUE(FolderExists(m_strInstall));
}

TEST_F(InstallationRemoverTest, FilesThatNoLongerExistArePassedOverSilently) {
    WriteFileBytes(m_strInstall + "B.TXT", "b");
    Log("A.TXT", "0|1|0");
    Log("B.TXT", "0|1|0");
    Log("C.TXT", "1|1|0");
    CRecordingProgress progress;

    EXPECT_TRUE(Remove(&progress));

    EXPECT_FALSE(FileExists(m_strInstall + "B.TXT"));
    EXPECT_EQ(3u, progress.m_paths.size());
    EXPECT_FALSE(FolderExists(m_strInstall));
}

TEST_F(InstallationRemoverTest, LeavesTheHelperProgramsInPlace) {
    WriteFileBytes(m_strInstall + "_ROZIRUR.EXE", "x");
    WriteFileBytes(m_strData + "_kstinst.exe", "x");
    Log("_ROZIRUR.EXE", "0|1|0");
    Log("_kstinst.exe", "1|1|0");

    EXPECT_TRUE(Remove());

    EXPECT_TRUE(FileExists(m_strInstall + "_ROZIRUR.EXE"));
    EXPECT_TRUE(FileExists(m_strData + "_kstinst.exe"));
}

TEST_F(InstallationRemoverTest, ALogKeyCannotReachOutsideTheLoggedFolder) {
    const std::string outside = m_scratch.Path("VICTIM.TXT");
    WriteFileBytes(outside, "not the product's");
    WriteFileBytes(m_strInstall + "VICTIM.TXT", "the product's");
    WriteFileBytes(m_strData + "OTHER.TXT", "the product's");
    Log("..\\VICTIM.TXT", "0|1|0");
    Log(outside, "1|1|0");
    Log("..", "0|1|0");
    Log("*.*", "0|1|0");

    EXPECT_TRUE(Remove());

    EXPECT_TRUE(FileExists(outside));
    EXPECT_FALSE(FileExists(m_strInstall + "VICTIM.TXT"));
    // Neither ".." nor a wildcard matched anything.
    EXPECT_TRUE(FileExists(m_strData + "OTHER.TXT"));
    EXPECT_TRUE(FolderExists(m_scratch.Folder()));
}

TEST_F(InstallationRemoverTest, LinesOfUnknownDestinationsAreSkipped) {
    WriteFileBytes(m_strInstall + "SHIFT.EXE", "program");
    Log("SHIFT.EXE", "7|1|0");
    CRecordingProgress progress;

    EXPECT_TRUE(Remove(&progress));

    EXPECT_TRUE(progress.m_paths.empty());
    EXPECT_TRUE(FileExists(m_strInstall + "SHIFT.EXE"));
}

TEST_F(InstallationRemoverTest, ProgressSeesEachFullPathAndCanStopTheRemoval) {
    WriteFileBytes(m_strInstall + "A.TXT", "a");
    WriteFileBytes(m_strInstall + "B.TXT", "b");
    WriteFileBytes(m_strInstall + "C.TXT", "c");
    Log("A.TXT", "0|1|0");
    Log("B.TXT", "0|1|0");
    Log("C.TXT", "0|1|0");
    CRecordingProgress progress;
    progress.m_nStopAt = 2;

    EXPECT_FALSE(Remove(&progress));

    ASSERT_EQ(2u, progress.m_paths.size());
    EXPECT_EQ(m_strInstall + "A.TXT", progress.m_paths[0]);
    EXPECT_EQ(m_strInstall + "B.TXT", progress.m_paths[1]);
    EXPECT_FALSE(FileExists(m_strInstall + "A.TXT"));
    EXPECT_TRUE(FileExists(m_strInstall + "B.TXT"));
    EXPECT_TRUE(FileExists(m_strInstall + "C.TXT"));
}

// Another program counted the library before (1); this installation counted it once, and the
// other library twice, from two groups. A removal run again over the same log, as after a
// cancel or a kill, lowers nothing a second time; an installation that counts a file again
// makes its line's count released no more.
TEST_F(InstallationRemoverTest, SharedCountsAreLoweredOnceHoweverOftenTheRemovalRuns) {
    const std::string once = SystemDirectoryPath() + "SHWONCE.DLL";
    const std::string twice = SystemDirectoryPath() + "SHWTWICE.DLL";
    WriteFileBytes(once, "shared library");
    WriteFileBytes(twice, "shared library");
    SetSharedCount(once, 2);
    SetSharedCount(twice, 3);
    WriteIni(m_strLog, "groups", "Data", "Data files|Samples|0|1|1");
    Log("SHWONCE.DLL", "-3|1|0");
    Log("SHWTWICE.DLL", "-3|1|0");
    Log("SHWTWICE.DLL", "-3|0|0", "Data");

    DWORD count = 0;
    for (int run = 1; run <= 3; ++run) {
        SCOPED_TRACE("removal " + std::to_string(run));
        EXPECT_TRUE(Remove());
        EXPECT_TRUE(SharedCount(once, count) && count == 1u) << count;
        EXPECT_TRUE(SharedCount(twice, count) && count == 1u) << count;
    }
    EXPECT_TRUE(FileExists(once));
    EXPECT_TRUE(FileExists(twice));
    // The lines and sections the installation wrote are as they were.
    EXPECT_EQ("-3|1|0", IniValue(m_strLog, "Program", "SHWONCE.DLL"));
    EXPECT_EQ("-3|0|0", IniValue(m_strLog, "Data", "SHWTWICE.DLL"));

    // Installed again (the copy engine voids the note with the line it writes): one more
    // count, released by the next removal.
    SetSharedCount(once, 2);
    WriteIni(m_strLog, kReleasedCountSection, ReleasedCountKey("Program", "SHWONCE.DLL"), "");
    EXPECT_TRUE(Remove());
    EXPECT_TRUE(SharedCount(once, count) && count == 1u) << count;

    // A removal killed after its note and before the lowering lowers it when run again; one
    // killed after the lowering does not.
    SetSharedCount(once, 2);
    WriteIni(m_strLog, kReleasedCountSection, ReleasedCountKey("Program", "SHWONCE.DLL"), "2|0");
    SetSharedCount(twice, 1);
    WriteIni(m_strLog, kReleasedCountSection, ReleasedCountKey("Data", "SHWTWICE.DLL"), "2|0");
    EXPECT_TRUE(Remove());
    EXPECT_TRUE(SharedCount(once, count) && count == 1u) << count;
    EXPECT_TRUE(SharedCount(twice, count) && count == 1u) << count;

    // The last count of a library goes with its value; none is made up afterwards.
    SetSharedCount(once, 1);
    WriteIni(m_strLog, kReleasedCountSection, ReleasedCountKey("Program", "SHWONCE.DLL"), "");
    EXPECT_TRUE(Remove());
    EXPECT_FALSE(SharedCount(once, count));
    EXPECT_TRUE(Remove());
    EXPECT_FALSE(SharedCount(once, count));
    DeleteFileA(once.c_str());
    DeleteFileA(twice.c_str());
}

TEST(LoggedFileDecision, DependsOnDestinationAndName) {
    CDestinationMap destinations;
    destinations.SetEntry(0, "SHIFT", kDestNone);
    destinations.SetPath(0, "C:\\SHIFT");

    LoggedFileDecision decision = DecideLoggedFile("SHIFT.EXE", 0, destinations);
    EXPECT_EQ(LoggedFileAction::kDelete, decision.action);
    EXPECT_EQ("C:\\SHIFT\\SHIFT.EXE", decision.path.GetText());

    EXPECT_EQ(LoggedFileAction::kKeep, DecideLoggedFile("_KSTINST.EXE", 0, destinations).action);
    // In the system folder even the helper program only loses a count.
    EXPECT_EQ(LoggedFileAction::kReleaseCount,
              DecideLoggedFile("_kstinst.exe", kDestSystem, destinations).action);
    EXPECT_EQ(LoggedFileAction::kDelete,
              DecideLoggedFile("SHIFT.HLP", kDestWindows, destinations).action);
    EXPECT_EQ(LoggedFileAction::kSkip, DecideLoggedFile("SHIFT.EXE", 1, destinations).action);
    EXPECT_EQ(LoggedFileAction::kSkip, DecideLoggedFile("", 0, destinations).action);

    destinations.SetEntry(2, "EMPTY", 0); // known but not resolved
    EXPECT_EQ(LoggedFileAction::kSkip, DecideLoggedFile("SHIFT.EXE", 2, destinations).action);
}
