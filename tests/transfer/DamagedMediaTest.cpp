// Damaged installation media: every kind of damage ends its record with the error a user is
// shown for it, never with a crash or a hang, and leaves behind neither a half-written new
// copy nor a changed old one. Run through the copy engine against real files in the prefix.
#include "EngineTestSupport.h"
#include "TestFiles.h"

#include "archive/ArchiveFormat.h"
#include "errors/XException.h"
#include "profile/FileGroup.h"
#include "transfer/CopyEngine.h"
#include "transfer/InstallPlan.h"
#include "transfer/SetupMultiFile.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <memory>
#include <random>

namespace {

using namespace ArchiveLayout;

std::string NoisyBytes(size_t count, unsigned seed) {
    std::mt19937 random(seed);
    std::string bytes(count, '\0');
    for (char& c : bytes)
        c = static_cast<char>(random());
    return bytes;
}

// Text that deflate packs well, so the flipped byte lands inside compressed data.
std::string TextBytes(size_t count) {
    std::string text;
    for (int i = 0; text.size() < count; ++i)
        text += "line " + std::to_string(i * 7919 % 1000) + " of the shift plan\r\n";
    text.resize(count);
    return text;
}

// The engine's environment that also keeps the title the user would see in the question.
class CTitleRecordingEnvironment : public CRecordingEnvironment {
public:
    using CRecordingEnvironment::CRecordingEnvironment;
    bool AskAfterError(const CException& error, const std::string& sourceFileName) override {
        m_titles.push_back(ErrorTitleOf(error));
        return CRecordingEnvironment::AskAfterError(error, sourceFileName);
    }
    std::vector<std::string> m_titles;
};

class DamagedMedia : public ::testing::Test {
protected:
    DamagedMedia() : m_env(m_folder.Folder()) {
        CreateDirectoryA(Src("").c_str(), nullptr);
        CreateDirectoryA(App("").c_str(), nullptr);
        m_group.m_strKey = "Program";
        m_group.m_bSelected = 1;
        // The copy a failed installation must leave alone.
        WriteFileBytes(App("shift.dat"), "the old shift table");
    }

    std::string Root() const { return m_folder.Folder(); }
    std::string Src(const std::string& name) const { return Root() + "src\\" + name; }
    std::string Disk1(const std::string& name) const { return Root() + "DISK01\\" + name; }
    std::string App(const std::string& name) const { return Root() + "APP\\" + name; }

    // Writes shift.dat (and a second member) as SHIFT.1 on diskette 1.
    void WriteMedia(int32_t method, const std::string& data) {
        WriteFileBytes(Src("shift.dat"), data);
        WriteFileBytes(Src("after.txt"), "installed after shift.dat");
        WriteArchive(Disk1("SHIFT.1"),
                     {{Src("shift.dat"), 0, method}, {Src("after.txt"), 0, kMethodStored}});
    }
    void Damage(const std::string& path, const std::function<void(std::string&)>& change) {
        std::string bytes = ReadFileBytes(path);
        change(bytes);
        WriteFileBytes(path, bytes);
    }
    // Installs the archive record, then a plain file record that must still be installed
    // after Continue.
    bool Install() {
        WriteFileBytes(Disk1("next.txt"), "next record");
        auto archive = std::make_unique<CSetupMultiFile>();
        archive->m_strSourceName = "SHIFT.1";
        archive->m_nKind = kSourceArchive;
        archive->m_nDiskette = 1;
        archive->m_pGroup = &m_group;
        auto next = std::make_unique<CSetupMultiFile>();
        next->m_strSourceName = "next.txt";
        next->m_nKind = kSourcePlainFile;
        next->m_nDiskette = 1;
        next->m_nSize = 11;
        next->m_nDestinationId = 0;
        next->m_pGroup = &m_group;
        CInstallPlan plan;
        plan.Insert(std::move(archive));
        plan.Insert(std::move(next));
        return RunCopy(plan, m_env, m_progress);
    }
    // What every damage must leave: the old copy, no new or temporary files beside it.
    void ExpectOldCopyAlone(const std::vector<std::string>& alsoThere) {
        EXPECT_EQ("the old shift table", ReadFileBytes(App("shift.dat")));
        std::vector<std::string> expected = {"shift.dat"};
        expected.insert(expected.end(), alsoThere.begin(), alsoThere.end());
        std::vector<std::string> files = FilesIn(App(""));
        std::sort(files.begin(), files.end());
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(expected, files);
        EXPECT_EQ("", IniValue(Root() + "shift.log", "Program", "shift.dat"));
    }
    // The record ended with one question of this title; Continue installed the next record.
    void ExpectOneQuestion(const std::string& title) {
        EXPECT_TRUE(Install());
        ASSERT_EQ(1u, m_env.m_titles.size());
        EXPECT_EQ(title, m_env.m_titles[0]);
        EXPECT_EQ("next record", ReadFileBytes(App("next.txt")));
        EXPECT_EQ("0|1|0", IniValue(Root() + "shift.log", "Program", "next.txt"));
        ExpectOldCopyAlone({"next.txt"});
    }

    CScratchFolder m_folder;
    CTitleRecordingEnvironment m_env;
    CRecordingProgress m_progress;
    CFileGroup m_group;
};

const size_t kFirstData = kArchiveHeaderSize + kEntryHeaderSize;

TEST_F(DamagedMedia, VolumeCutInsideStoredData) {
    WriteMedia(kMethodStored, NoisyBytes(30000, 1));
    Damage(Disk1("SHIFT.1"), [](std::string& bytes) { bytes.resize(kFirstData + 10000); });
    ExpectOneQuestion("End of file.");
}

TEST_F(DamagedMedia, VolumeCutInsideDeflateData) {
    WriteMedia(kMethodDeflate, NoisyBytes(30000, 2));
    Damage(Disk1("SHIFT.1"), [](std::string& bytes) { bytes.resize(kFirstData + 10000); });
    ExpectOneQuestion("Archive file damaged (buffer error).");
}

TEST_F(DamagedMedia, FlippedBytesInDeflateData) {
    WriteMedia(kMethodDeflate, TextBytes(60000));
    Damage(Disk1("SHIFT.1"), [](std::string& bytes) {
        uint32_t packed = 0;
        std::memcpy(&packed, &bytes[kArchiveHeaderSize + kPackedSizeOffset], 4);
        for (size_t at = kFirstData + packed / 3; at < kFirstData + packed / 3 + 16; ++at)
            bytes[at] = static_cast<char>(bytes[at] ^ 0xA5);
    });
    EXPECT_TRUE(Install());
    // Where zlib notices depends on the bytes hit; the checksum catches what it does not.
    ASSERT_EQ(1u, m_env.m_titles.size());
    EXPECT_EQ(0u, m_env.m_titles[0].find("Archive file damaged (")) << m_env.m_titles[0];
    ExpectOldCopyAlone({"next.txt"});
}

TEST_F(DamagedMedia, WrongChecksumInTheEntryHeader) {
    WriteMedia(kMethodDeflate, TextBytes(20000));
    Damage(Disk1("SHIFT.1"),
           [](std::string& bytes) { bytes[kArchiveHeaderSize + kChecksumOffset] ^= 0x01; });
    ExpectOneQuestion("Archive file damaged (CRC Mismatch)");
}

TEST_F(DamagedMedia, NextVolumeWithWrongMagic) {
    WriteFileBytes(Src("shift.dat"), NoisyBytes(30000, 3));
    WriteArchive(Src("whole"), {{Src("shift.dat"), 0, kMethodStored}});
    std::vector<std::string> volumes = SplitIntoDiskFolders(Src("whole"), Root(), "SHIFT.1", 12000);
    ASSERT_GE(volumes.size(), 2u);
    Damage(volumes[1], [](std::string& bytes) { bytes[0] = 'X'; });
    ExpectOneQuestion("File is not an archive file.");
}

TEST_F(DamagedMedia, MissingNextVolumeWithThePromptCancelled) {
    WriteFileBytes(Src("shift.dat"), NoisyBytes(30000, 4));
    WriteArchive(Src("whole"), {{Src("shift.dat"), 0, kMethodDeflate}});
    std::vector<std::string> volumes = SplitIntoDiskFolders(Src("whole"), Root(), "SHIFT.1", 12000);
    ASSERT_GE(volumes.size(), 2u);
    ASSERT_TRUE(DeleteFileA(volumes[1].c_str()));
    m_env.m_strAnswerFolder.clear(); // the diskette prompt is cancelled
    EXPECT_FALSE(Install());
    EXPECT_EQ(1u, m_env.m_questions.size());
    EXPECT_TRUE(m_env.m_titles.empty()); // a cancel is no error
    EXPECT_TRUE(m_progress.m_bFailed);
    EXPECT_EQ(0, m_env.m_bSucceeded);
    ExpectOldCopyAlone({});
}

TEST_F(DamagedMedia, CancelAfterTheErrorStopsBeforeTheNextRecord) {
    WriteMedia(kMethodDeflate, TextBytes(20000));
    Damage(Disk1("SHIFT.1"),
           [](std::string& bytes) { bytes[kArchiveHeaderSize + kChecksumOffset] ^= 0x01; });
    m_env.m_bContinueAfterError = false;
    EXPECT_FALSE(Install());
    EXPECT_EQ(1u, m_env.m_titles.size());
    EXPECT_EQ(0, m_env.m_bSucceeded);
    ExpectOldCopyAlone({});
}

} // namespace
