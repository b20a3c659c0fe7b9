// The copy engine against real files in the throwaway prefix: the order of records, the
// replacement decisions and their log lines, shared system files, replacement at restart,
// archives that run on across diskettes, errors and cancels.
#include "EngineTestSupport.h"
#include "TestFiles.h"

#include "archive/ArchiveFormat.h"
#include "framework/WindowsFamily.h"
#include "framework/ui/Handle.h"
#include "profile/FileGroup.h"
#include "system/RegistryDword.h"
#include "system/RegistryKey.h"
#include "transfer/CopyEngine.h"
#include "transfer/InstallFile.h"
#include "transfer/InstallPlan.h"
#include "transfer/ReplaceAtRestart.h"
#include "transfer/SourceFolder.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <memory>
#include <set>

namespace {

// A name no other test program of the prefix uses.
std::string UniqueName(const char* stem, const char* extension) {
    return stem + std::to_string(GetCurrentProcessId()) + extension;
}

class CopyEngine : public ::testing::Test {
protected:
    CopyEngine() : m_env(m_folder.Folder()) {
        CreateDirectoryA(Src("").c_str(), nullptr);
        m_group.m_strKey = "Program";
        m_group.m_bSelected = 1;
    }

    std::string Root() const { return m_folder.Folder(); }
    std::string Src(const std::string& name) const { return Root() + "src\\" + name; }
    std::string Disk1(const std::string& name) const { return Root() + "DISK01\\" + name; }
    std::string App(const std::string& name) const { return Root() + "APP\\" + name; }
    std::string LogLine(const std::string& name) const {
        return IniValue(Root() + "shift.log", "Program", name);
    }

    std::unique_ptr<CSetupMultiFile> Record(const std::string& name, int kind, int disk = 1) {
        auto record = std::make_unique<CSetupMultiFile>();
        record->m_strSourceName = name;
        record->m_nKind = kind;
        record->m_nDiskette = disk;
        record->m_pGroup = &m_group;
        return record;
    }
    // Writes the members as archive SHIFT.1 on diskette 1 and installs that record.
    void InstallArchive(const std::vector<CTestMember>& members) {
        WriteArchive(Disk1("SHIFT.1"), members);
        auto record = Record("SHIFT.1", kSourceArchive);
        InstallTarget(*record, m_env, m_progress);
    }
    std::vector<std::string> AppFiles() const { return FilesIn(App("")); }

    CScratchFolder m_folder;
    CRecordingEnvironment m_env;
    CRecordingProgress m_progress;
    CFileGroup m_group;
};

TEST_F(CopyEngine, InstallsRecordsInDisketteOrder) {
    for (const char* name : {"a.txt", "b.txt", "c.txt"})
        WriteFileBytes(Disk1(name), "abc");
    std::string profile = Root() + "SETUP.ini";
    WriteFileBytes(profile, "[Program]\r\nc.txt=3|0|1|2|0|\r\nb.txt=3|0|1|-1|0|\r\n"
                            "a.txt=3|0|1|1|0|\r\n");
    CFileGroupMap groups;
    groups.m_records["Program"] = std::make_unique<CFileGroup>(m_group);
    CInstallPlan plan;
    plan.LoadFileLists(CSetupPath(profile), groups);

    EXPECT_TRUE(RunCopy(plan, m_env, m_progress));
    EXPECT_EQ((std::vector<std::string>{"a.txt@1", "b.txt@1m", "c.txt@2"}), m_progress.m_sources);
    EXPECT_EQ(9u, m_progress.m_nTotal);
    EXPECT_EQ(9u, m_progress.m_nDone);
    EXPECT_EQ(1, m_env.m_nFinished);
    EXPECT_EQ("abc", ReadFileBytes(App("c.txt")));
    EXPECT_EQ("0|1|0", LogLine("a.txt"));
}

TEST_F(CopyEngine, LeavesOutRecordsOfUnselectedGroups) {
    WriteFileBytes(Disk1("a.txt"), "abc");
    CInstallPlan plan;
    CFileGroup other;
    other.m_strKey = "Samples";
    auto record = Record("a.txt", kSourcePlainFile);
    record->m_pGroup = &other;
    record->m_nSize = 3;
    record->m_nDestinationId = 0;
    plan.Insert(std::move(record));
    EXPECT_TRUE(RunCopy(plan, m_env, m_progress));
    EXPECT_TRUE(m_progress.m_sources.empty());
    EXPECT_FALSE(PathExists(App("a.txt")));
}

TEST_F(CopyEngine, SpaceNeededCountsClusters) {
    CSetupMultiFile record;
    ParseFileListValue(record, "1000|0|1|2|0|");
    EXPECT_EQ(4096u, record.SpaceNeeded(4096));
    EXPECT_EQ(1000u, record.SpaceNeeded(0));
    record.m_nFileCount = 3;
    EXPECT_EQ(7144u, record.SpaceNeeded(4096));

    CInstallPlan plan;
    CFileGroup unselected;
    auto first = Record("a", kSourcePlainFile);
    ParseFileListValue(*first, "1000|0|1|1|0|");
    auto second = Record("b", kSourcePlainFile);
    ParseFileListValue(*second, "5000|1|2|1|0|");
    second->m_pGroup = &unselected;
    plan.Insert(std::move(first));
    plan.Insert(std::move(second));
    EXPECT_EQ(1000u, plan.SpaceNeeded(0, false));
    EXPECT_EQ(1024u + 5000u + 2u * 512u / 2u, plan.SpaceNeeded(512, true));
}

TEST_F(CopyEngine, KeepsSameVersion) {
    CopyFileOrFail(HostPathToWindows(SHIFTWELL_VERSION_1_0), Src("lib.dll"));
    CreateDirectoryA(App("").c_str(), nullptr);
    CopyFileOrFail(HostPathToWindows(SHIFTWELL_VERSION_1_0), App("lib.dll"));
    SetWriteTime(App("lib.dll"), 1000000000);
    SetWriteTime(Src("lib.dll"), 1500000000);
    InstallArchive({{Src("lib.dll"), 0, kMethodDeflate}});
    EXPECT_EQ("0|0|0", LogLine("lib.dll"));
    EXPECT_EQ(1000000000, GetWriteTime(App("lib.dll")));
    EXPECT_EQ(std::vector<std::string>{"lib.dll"}, AppFiles()); // no temporary file left
}

// Every name the temporary copy could take belongs to another file: the member fails,
// and none of those files nor the existing copy is written.
TEST_F(CopyEngine, NoFreeTemporaryNameLeavesEveryFileAsItWas) {
    WriteFileBytes(Src("data.txt"), "new");
    SetWriteTime(Src("data.txt"), 1500000000);
    CreateDirectoryA(App("").c_str(), nullptr);
    WriteFileBytes(App("data.txt"), "old");
    SetWriteTime(App("data.txt"), 1000000000);
    WriteArchive(Disk1("SHIFT.1"), {{Src("data.txt"), 0, kMethodStored}});
    std::vector<std::string> taken;
    srand(4711);
    for (int i = 0; i < 1000; ++i) {
        CSetupPath name(App("data.txt"));
        name.MakeUniqueName(false, 1);
        WriteFileBytes(name.GetText(), "other");
        taken.push_back(name.GetText());
    }
    m_env.m_bContinueAfterError = true;
    auto record = Record("SHIFT.1", kSourceArchive);
    srand(4711);
    InstallTarget(*record, m_env, m_progress);

    EXPECT_EQ(std::vector<std::string>{"SHIFT.1: CFileException"}, m_env.m_errors);
    EXPECT_EQ("old", ReadFileBytes(App("data.txt")));
    for (const std::string& name : taken)
        ASSERT_EQ("other", ReadFileBytes(name)) << name;
}

TEST_F(CopyEngine, ReplacesOlderReadOnlyCopy) {
    CopyFileOrFail(HostPathToWindows(SHIFTWELL_VERSION_2_0), Src("lib.dll"));
    CreateDirectoryA(App("").c_str(), nullptr);
    CopyFileOrFail(HostPathToWindows(SHIFTWELL_VERSION_1_0), App("lib.dll"));
    SetFileAttributesA(App("lib.dll").c_str(), FILE_ATTRIBUTE_READONLY);
    InstallArchive({{Src("lib.dll"), 0, kMethodDeflate}});
    EXPECT_EQ("0|1|1", LogLine("lib.dll"));
    EXPECT_EQ(ReadFileBytes(Src("lib.dll")), ReadFileBytes(App("lib.dll")));
    EXPECT_EQ(std::vector<std::string>{"lib.dll"}, AppFiles());
}

TEST_F(CopyEngine, VersionBeatsTime) {
    // An older version with a later time does not replace a newer version.
    CopyFileOrFail(HostPathToWindows(SHIFTWELL_VERSION_1_0), Src("lib.dll"));
    CreateDirectoryA(App("").c_str(), nullptr);
    CopyFileOrFail(HostPathToWindows(SHIFTWELL_VERSION_2_0), App("lib.dll"));
    SetWriteTime(App("lib.dll"), 1000000000);
    SetWriteTime(Src("lib.dll"), 1500000000);
    InstallArchive({{Src("lib.dll"), 0, kMethodStored}});
    EXPECT_EQ("0|0|0", LogLine("lib.dll"));
    // A file without a version block never replaces one that has it.
    WriteFileBytes(Src("lib.dll"), "no version here");
    InstallArchive({{Src("lib.dll"), 0, kMethodStored}});
    EXPECT_EQ("0|0|0", LogLine("lib.dll"));
    EXPECT_EQ(ReadFileBytes(HostPathToWindows(SHIFTWELL_VERSION_2_0)),
              ReadFileBytes(App("lib.dll")));
}

TEST_F(CopyEngine, ComparesTimesWithoutVersions) {
    CreateDirectoryA(App("").c_str(), nullptr);
    WriteFileBytes(App("notes.txt"), "old");
    SetWriteTime(App("notes.txt"), 1000000000);
    WriteFileBytes(Src("notes.txt"), "new");
    SetWriteTime(Src("notes.txt"), 1200000000);
    InstallArchive({{Src("notes.txt"), 0, kMethodDeflate}});
    EXPECT_EQ("0|1|1", LogLine("notes.txt"));
    EXPECT_EQ("new", ReadFileBytes(App("notes.txt")));
    EXPECT_EQ(1200000000, GetWriteTime(App("notes.txt"))); // the header's time

    WriteFileBytes(Src("notes.txt"), "older");
    SetWriteTime(Src("notes.txt"), 1100000000);
    InstallArchive({{Src("notes.txt"), 0, kMethodDeflate}});
    EXPECT_EQ("0|0|0", LogLine("notes.txt"));
    EXPECT_EQ("new", ReadFileBytes(App("notes.txt")));
}

struct CDelayedMoves {
    static int Record(const char* source, const char* destination, unsigned flags) {
        s_source = source;
        s_destination = destination;
        s_flags = flags;
        if (!s_result)
            SetLastError(s_error);
        return s_result;
    }
    static std::string s_source, s_destination;
    static unsigned s_flags;
    static int s_result;
    static DWORD s_error;
};
std::string CDelayedMoves::s_source, CDelayedMoves::s_destination;
unsigned CDelayedMoves::s_flags = 0;
int CDelayedMoves::s_result = 1;
DWORD CDelayedMoves::s_error = 0;

class InUseCopy : public CopyEngine {
protected:
    void SetUp() override {
        CreateDirectoryA(App("").c_str(), nullptr);
        WriteFileBytes(App("tool.exe"), "old");
        SetWriteTime(App("tool.exe"), 1000000000);
        WriteFileBytes(Src("tool.exe"), "new");
        SetWriteTime(Src("tool.exe"), 1200000000);
        // Held open without sharing: it cannot be deleted.
        m_inUse.Reset(CreateFileA(App("tool.exe").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                  0, nullptr));
        ASSERT_TRUE(m_inUse.IsValid());
        m_previous = SetDelayedMoveFunction(&CDelayedMoves::Record);
        m_previousFamily = PretendWindowsFamily(WindowsFamily::kWindowsNT);
        CDelayedMoves::s_source.clear();
        CDelayedMoves::s_result = 1;
    }
    void TearDown() override {
        PretendWindowsFamily(m_previousFamily);
        SetDelayedMoveFunction(m_previous);
        m_inUse.Reset();
    }
    static std::string Wininit() {
        CSetupPath wininit(static_cast<int>(kRootWindowsDir));
        wininit.SetFileName("wininit.ini");
        return wininit.GetText();
    }
    std::string Temporary() const {
        for (const std::string& name : AppFiles()) {
            if (name != "tool.exe")
                return App(name);
        }
        return {};
    }

    CHandle m_inUse;
    DelayedMoveFunction m_previous = nullptr;
    WindowsFamily m_previousFamily = WindowsFamily::kRunning;
};

TEST_F(InUseCopy, IsScheduledForReplacementAtRestart) {
    InstallArchive({{Src("tool.exe"), 0, kMethodDeflate}});
    EXPECT_EQ("0|0|1", LogLine("tool.exe"));
    EXPECT_EQ(1, m_env.m_bRestartNeeded);
    ASSERT_FALSE(Temporary().empty());
    EXPECT_EQ("new", ReadFileBytes(Temporary()));
    EXPECT_EQ(Temporary(), CDelayedMoves::s_source);
    EXPECT_EQ(App("tool.exe"), CDelayedMoves::s_destination);
    // The destination exists: a delayed move without REPLACE_EXISTING would be refused.
    EXPECT_EQ(unsigned(MOVEFILE_DELAY_UNTIL_REBOOT | MOVEFILE_REPLACE_EXISTING),
              CDelayedMoves::s_flags);
}

// Only the Windows 95 family reads wininit.ini.
TEST_F(InUseCopy, OnWindows95GoesToWininitWithShortNames) {
    PretendWindowsFamily(WindowsFamily::kWindows95);
    DeleteFileA(Wininit().c_str());
    InstallArchive({{Src("tool.exe"), 0, kMethodDeflate}});
    EXPECT_EQ(1, m_env.m_bRestartNeeded);
    EXPECT_TRUE(CDelayedMoves::s_source.empty()); // the 95 family's MoveFileEx is a stub
    std::string shortDestination = ShortFormOf(App("tool.exe"));
    std::string line = IniValue(Wininit(), "rename", shortDestination);
    DeleteFileA(Wininit().c_str());
    EXPECT_EQ(ShortFormOf(Temporary()), line);
    EXPECT_EQ(std::string::npos, line.find("swtest")); // 8.3 forms, not the long names
}

// NT reads no wininit.ini: a refused delayed move fails the file, and no restart is promised.
TEST_F(InUseCopy, RefusedDelayedMoveOnNTFailsTheFile) {
    CDelayedMoves::s_result = 0;
    CDelayedMoves::s_error = ERROR_ACCESS_DENIED;
    DeleteFileA(Wininit().c_str());
    InstallArchive({{Src("tool.exe"), 0, kMethodDeflate}});
    EXPECT_EQ(std::vector<std::string>{"SHIFT.1: CFileException"}, m_env.m_errors);
    EXPECT_EQ(0, m_env.m_bRestartNeeded);
    EXPECT_FALSE(FileExists(Wininit()));
    EXPECT_EQ(std::vector<std::string>{"tool.exe"}, AppFiles()); // the copy is not left behind
    EXPECT_EQ("", LogLine("tool.exe"));
}

class SystemFolderFile : public CopyEngine {
protected:
    void TearDown() override {
        for (const std::string& path : m_cleanup) {
            SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            DeleteFileA(path.c_str());
            CRegistryKey counts;
            if (counts.Open(HKEY_LOCAL_MACHINE, kSharedDllsKey))
                counts.DeleteValue(path);
        }
    }
    std::string InFolder(int root, const std::string& name) {
        CSetupPath path(root);
        path.SetFileName(name);
        m_cleanup.push_back(path.GetText());
        return path.GetText();
    }
    uint32_t SharedCount(const std::string& path) {
        CRegistryDword count(HKEY_LOCAL_MACHINE, kSharedDllsKey, path, 0, true, false);
        return count.GetValue();
    }

    std::vector<std::string> m_cleanup;
};

TEST_F(SystemFolderFile, ReplacesOldCopyInWindowsFolder) {
    std::string name = UniqueName("swa", ".dll");
    std::string inWindows = InFolder(kRootWindowsDir, name);
    std::string inSystem = InFolder(kRootSystemDir, name);
    WriteFileBytes(inWindows, "old");
    SetWriteTime(inWindows, 1000000000);
    WriteFileBytes(Src(name), "new");
    SetWriteTime(Src(name), 1200000000);
    InstallArchive({{Src(name), kDestSystem, kMethodDeflate}});
    EXPECT_EQ("-3|1|1", LogLine(name));
    EXPECT_FALSE(PathExists(inWindows));
    EXPECT_EQ("new", ReadFileBytes(inSystem));
    EXPECT_EQ(1u, SharedCount(inSystem));
}

TEST_F(SystemFolderFile, CountsEachInstallOfASharedFile) {
    std::string name = UniqueName("swb", ".dll");
    std::string inSystem = InFolder(kRootSystemDir, name);
    WriteFileBytes(Src(name), "shared");
    InstallArchive({{Src(name), kDestSystem, kMethodDeflate}});
    EXPECT_EQ("-3|1|0", LogLine(name));
    InstallArchive({{Src(name), kDestSystem, kMethodDeflate}});
    EXPECT_EQ("-3|0|0", LogLine(name));
    EXPECT_EQ(2u, SharedCount(inSystem));
}

TEST_F(CopyEngine, ReadsPastMemberWithoutDestinationAcrossVolumes) {
    WriteFileBytes(Src("skip.bin"), RandomBytes(20000, 7));
    WriteFileBytes(Src("keep.txt"), RandomBytes(3000, 8));
    WriteArchive(Src("whole"), {{Src("skip.bin"), kDestNone, kMethodStored},
                                {Src("keep.txt"), 1, kMethodDeflate}});
    std::vector<std::string> volumes = SplitIntoDiskFolders(Src("whole"), Root(), "SHIFT.1", 6000);
    ASSERT_GE(volumes.size(), 4u); // the skipped member's data runs over several volumes
    auto record = Record("SHIFT.1", kSourceArchive);
    InstallTarget(*record, m_env, m_progress);
    EXPECT_TRUE(m_env.m_errors.empty()) << m_env.m_errors[0];
    EXPECT_EQ(ReadFileBytes(Src("keep.txt")), ReadFileBytes(App("DATA\\keep.txt")));
    EXPECT_FALSE(PathExists(App("skip.bin")));
    EXPECT_EQ("", LogLine("skip.bin"));
    EXPECT_EQ(static_cast<int>(volumes.size()), record->m_nDiskette);
    EXPECT_TRUE(m_env.m_questions.empty());
    EXPECT_EQ(23000u, m_progress.m_nDone);
    EXPECT_GE(m_progress.m_nTicks, 5);
}

TEST_F(CopyEngine, ContinuesFromTheNextDisketteFolder) {
    WriteFileBytes(Src("big.dat"), RandomBytes(30000, 9));
    WriteArchive(Src("whole"), {{Src("big.dat"), 0, kMethodDeflate}});
    std::vector<std::string> volumes = SplitIntoDiskFolders(Src("whole"), Root(), "SHIFT.1", 8000);
    ASSERT_GE(volumes.size(), 3u);
    auto record = Record("SHIFT.1", kSourceArchive);
    InstallTarget(*record, m_env, m_progress);
    EXPECT_EQ(ReadFileBytes(Src("big.dat")), ReadFileBytes(App("big.dat")));
    EXPECT_TRUE(m_env.m_questions.empty());
    // Later records are read from the folder of the last diskette.
    EXPECT_EQ(CSetupPath(volumes.back()).GetFolder(), m_env.m_sourceDir.GetFolder());
}

TEST_F(CopyEngine, AsksForAMissingDisketteAndReadsFromTheFolderGiven) {
    WriteFileBytes(Src("big.dat"), RandomBytes(12000, 10));
    WriteArchive(Src("whole"), {{Src("big.dat"), 0, kMethodStored}});
    std::vector<std::string> volumes = SplitIntoDiskFolders(Src("whole"), Root(), "SHIFT.1", 8000);
    ASSERT_EQ(2u, volumes.size());
    ASSERT_TRUE(MoveFileA((Root() + "DISK02").c_str(), (Root() + "ALT").c_str()));
    m_env.m_strAnswerFolder = Root() + "ALT\\";
    auto record = Record("SHIFT.1", kSourceArchive);
    InstallTarget(*record, m_env, m_progress);
    ASSERT_EQ(1u, m_env.m_questions.size());
    EXPECT_EQ(Disk1("SHIFT.2") + "@2", m_env.m_questions[0]);
    EXPECT_EQ(ReadFileBytes(Src("big.dat")), ReadFileBytes(App("big.dat")));
    EXPECT_EQ(Root() + "ALT\\", m_env.m_sourceDir.GetFolder());
}

TEST_F(CopyEngine, CancelledDisketteQuestionStopsTheRun) {
    WriteFileBytes(Disk1("later.txt"), "later");
    CInstallPlan plan;
    auto missing = Record("MISSING.1", kSourceArchive, 1);
    auto later = Record("later.txt", kSourcePlainFile, 1);
    later->m_nSize = 5;
    later->m_nDestinationId = 0;
    plan.Insert(std::move(missing));
    plan.Insert(std::move(later));
    EXPECT_FALSE(RunCopy(plan, m_env, m_progress));
    EXPECT_EQ(1u, m_env.m_questions.size());
    EXPECT_TRUE(m_progress.m_bFailed);
    EXPECT_EQ(0, m_env.m_bSucceeded);
    EXPECT_FALSE(PathExists(App("later.txt")));
    EXPECT_EQ(0, m_env.m_nFinished);
}

class DamagedArchive : public CopyEngine {
protected:
    void SetUp() override {
        WriteFileBytes(Src("data.bin"), RandomBytes(5000, 11));
        WriteArchive(Disk1("SHIFT.1"), {{Src("data.bin"), 0, kMethodStored}});
        // One byte of the member's data changed: the checksum no longer matches.
        std::string bytes = ReadFileBytes(Disk1("SHIFT.1"));
        bytes[ArchiveLayout::kArchiveHeaderSize + ArchiveLayout::kEntryHeaderSize + 100] ^= 0x55;
        WriteFileBytes(Disk1("SHIFT.1"), bytes);
        WriteFileBytes(Disk1("later.txt"), "later");
        auto archive = Record("SHIFT.1", kSourceArchive);
        auto later = Record("later.txt", kSourcePlainFile);
        later->m_nSize = 5;
        later->m_nDestinationId = 0;
        m_plan.Insert(std::move(archive));
        m_plan.Insert(std::move(later));
    }
    CInstallPlan m_plan;
};

TEST_F(DamagedArchive, ContinueGoesOnWithTheNextRecord) {
    m_env.m_bContinueAfterError = true;
    EXPECT_TRUE(RunCopy(m_plan, m_env, m_progress));
    EXPECT_EQ(std::vector<std::string>{"SHIFT.1: CMultiFileException"}, m_env.m_errors);
    EXPECT_EQ("later", ReadFileBytes(App("later.txt")));
    EXPECT_EQ(1, m_env.m_bSucceeded);
    // The damaged member had no copy to compare with: neither it nor its temporary file is
    // left.
    EXPECT_EQ(std::vector<std::string>{"later.txt"}, AppFiles());
}

TEST_F(DamagedArchive, CancelStopsTheRun) {
    m_env.m_bContinueAfterError = false;
    EXPECT_FALSE(RunCopy(m_plan, m_env, m_progress));
    EXPECT_EQ(1u, m_env.m_errors.size());
    EXPECT_FALSE(PathExists(App("later.txt")));
    EXPECT_EQ(0, m_env.m_bSucceeded);
}

TEST_F(CopyEngine, AMemberTakesItsNameOnlyWhenItIsWhole) {
    // With no copy to compare with as well as with one: while a member is written, its name
    // holds nothing or the old copy, and its bytes go to a temporary file beside it.
    const std::string newBytes = RandomBytes(40000, 21), oldBytes = RandomBytes(40000, 22);
    WriteFileBytes(Src("new.bin"), newBytes);
    WriteFileBytes(Src("old.bin"), oldBytes);
    SetWriteTime(Src("old.bin"), 1500000000);
    CreateDirectoryA(App("").c_str(), nullptr);
    WriteFileBytes(App("old.bin"), "old copy");
    SetWriteTime(App("old.bin"), 1000000000);
    auto state = [this](const char* name, const std::string& bytes) {
        if (!PathExists(App(name)))
            return std::string("none");
        std::string now = ReadFileBytes(App(name));
        return now == bytes ? std::string("new") : now == "old copy" ? "old" : "damaged";
    };
    std::set<std::string> seen;
    m_progress.m_onTick = [&](CRecordingProgress& progress) {
        if (!progress.m_pCurrent)
            return;
        int temporaries = 0;
        for (const std::string& file : AppFiles())
            temporaries +=
                file.size() == 12 && file.find_first_not_of("0123456789abcdef") == 8 ? 1 : 0;
        seen.insert("new.bin " + state("new.bin", newBytes) + ", old.bin " +
                    state("old.bin", oldBytes) + ", " + std::to_string(temporaries) + " temporary");
    };
    InstallArchive({{Src("new.bin"), 0, kMethodDeflate}, {Src("old.bin"), 0, kMethodStored}});
    EXPECT_EQ((std::set<std::string>{"new.bin new, old.bin old, 1 temporary",
                                     "new.bin none, old.bin old, 1 temporary"}),
              seen);
    EXPECT_EQ(newBytes, ReadFileBytes(App("new.bin")));
    EXPECT_EQ(oldBytes, ReadFileBytes(App("old.bin")));
    std::vector<std::string> files = AppFiles();
    std::sort(files.begin(), files.end());
    EXPECT_EQ((std::vector<std::string>{"new.bin", "old.bin"}), files);
}

TEST_F(CopyEngine, ConfirmedCancelFinishesTheMemberAndStops) {
    WriteFileBytes(Src("first.bin"), RandomBytes(40000, 12));
    WriteFileBytes(Src("second.bin"), RandomBytes(100, 13));
    m_progress.m_onTick = [this](CRecordingProgress& progress) {
        // What the copy page does when the user confirms Cancel.
        if (progress.m_pCurrent && m_env.m_bSucceeded) {
            progress.m_pCurrent->m_pRecord->Abort();
            m_env.m_bSucceeded = 0;
        }
    };
    InstallArchive({{Src("first.bin"), 0, kMethodDeflate}, {Src("second.bin"), 0, kMethodStored}});
    EXPECT_TRUE(m_progress.m_bFailed);
    EXPECT_EQ(1, m_progress.m_nTicks); // no ticks once the run has failed
    EXPECT_FALSE(PathExists(App("second.bin")));
    EXPECT_FALSE(PathExists(App("first.bin")));
    // The member was expanded to its end before the run stopped; its temporary copy is gone.
    EXPECT_TRUE(AppFiles().empty());
}

TEST_F(CopyEngine, PlainFileTakesItsTimeAndFillsTheProgramItem) {
    WriteFileBytes(Disk1("PROG.EXE"), "program bytes");
    SetWriteTime(Disk1("PROG.EXE"), 1300000000);
    auto item = std::make_unique<CProgramItem>();
    item->m_strKey = "prog.exe";
    m_env.m_items.m_records["prog.exe"] = std::move(item);
    auto record = Record("PROG.EXE", kSourcePlainFile);
    record->m_nSize = 13;
    record->m_nDestinationId = 0;
    InstallTarget(*record, m_env, m_progress);
    EXPECT_EQ("program bytes", ReadFileBytes(App("PROG.EXE")));
    EXPECT_EQ(1300000000, GetWriteTime(App("PROG.EXE")));
    EXPECT_EQ(App("PROG.EXE"), m_env.m_items.Lookup("prog.exe")->m_path.GetText());
    EXPECT_EQ("0|1|0", LogLine("PROG.EXE"));
}

TEST_F(CopyEngine, PlainFileForNoDestinationIsOnlyCounted) {
    auto record = Record("absent.txt", kSourcePlainFile);
    record->m_nSize = 77;
    record->m_nDestinationId = kDestNone;
    WriteFileBytes(Disk1("absent.txt"), "x");
    InstallTarget(*record, m_env, m_progress);
    EXPECT_EQ(77u, m_progress.m_nDone);
    EXPECT_FALSE(PathExists(App("absent.txt")));
}

TEST_F(CopyEngine, UnknownDestinationEndsTheRecordWithAnError) {
    WriteFileBytes(Src("x.txt"), "x");
    InstallArchive({{Src("x.txt"), 42, kMethodStored}});
    EXPECT_EQ(std::vector<std::string>{"SHIFT.1: CFileException"}, m_env.m_errors);
}

TEST(SourceFolderRule, NumberedFoldersCountTwoDigits) {
    CSetupPath candidate;
    EXPECT_TRUE(NumberedFolderPath(CSetupPath("C:\\SET\\DISK01\\SHIFT.1"), 12, candidate));
    EXPECT_EQ("C:\\SET\\DISK12\\SHIFT.1", candidate.GetText());
    EXPECT_FALSE(NumberedFolderPath(CSetupPath("C:\\SET\\DISK1\\SHIFT.1"), 2, candidate));
    EXPECT_FALSE(NumberedFolderPath(CSetupPath("C:\\SET\\DISK00\\SHIFT.1"), 2, candidate));
    EXPECT_FALSE(NumberedFolderPath(CSetupPath("C:\\SHIFT.1"), 2, candidate));
}

} // namespace
