// The archive reader on hand-made archives: layout, volumes, damage and the file classes'
// hooks.
#include "ArchiveTestUtil.h"

#include "archive/ArchiveExceptions.h"
#include "archive/ArchiveWriter.h"
#include "archive/MultiFile.h"

#include <gtest/gtest.h>
#include <cstring>
#include <filesystem>
#include <functional>

namespace {

class MultiFileTest : public ::testing::Test {
protected:
    std::string WriteArchive(const std::string& name, const Bytes& bytes) {
        std::string path = m_scratch.Path(name);
        WriteWholeFile(path, bytes);
        return path;
    }
    // Extracts every member into the scratch folder; returns the names read.
    std::vector<std::string> ExtractAll(CMultiFile& archive) {
        std::vector<std::string> names;
        std::unique_ptr<CMultiFileEntry> entry = archive.CreateEntry();
        while (archive.ReadEntryHeader(*entry)) {
            names.push_back(entry->GetName());
            entry->SetOutputPath(m_scratch.Path("out-" + entry->GetInstallName()));
            archive.Extract(*entry);
        }
        return names;
    }
    Bytes Output(const std::string& name) { return ReadWholeFile(m_scratch.Path("out-" + name)); }

    CScratchFolder m_scratch;
};

int CauseValue(const CXException& e) {
    return e.m_nCause;
}
int CauseValue(const CFileException& e) {
    return e.m_cause;
}

template <typename Exception, typename Action> int CauseOf(Action action) {
    try {
        action();
    } catch (const Exception& e) {
        return CauseValue(e);
    }
    return -1;
}

} // namespace

TEST_F(MultiFileTest, RefusesAnythingButTheArchiveMagic) {
    Bytes bytes = BuildArchive({TestMember("A.TXT", MakeData(10, 1, true))});
    bytes[0] = 'M';
    std::string path = WriteArchive("bad.arc", bytes);
    CMultiFile archive;
    EXPECT_EQ(CauseOf<CMultiFileException>([&] { archive.OpenArchive(path); }),
              kMultiFileNotArchive);

    Bytes shortFile = {'m', 'f', 'l'};
    std::string shortPath = WriteArchive("short.arc", shortFile);
    CMultiFile other;
    EXPECT_EQ(CauseOf<CFileException>([&] { other.OpenArchive(shortPath); }),
              CFileException::endOfFile);
}

TEST_F(MultiFileTest, IgnoresReservedHeaderBytesAndVersionFields) {
    TestMember member("A.TXT", MakeData(100, 1, true));
    member.header.SetVersion(0);
    member.header.SetHeaderSize(0);
    Bytes bytes = BuildArchive({member});
    for (int i = 4; i < 8; ++i)
        bytes[i] = 0xEE;
    CMultiFile archive;
    archive.OpenArchive(WriteArchive("a.arc", bytes));
    EXPECT_EQ(ExtractAll(archive), std::vector<std::string>{"A.TXT"});
    EXPECT_EQ(Output("A.TXT"), MakeData(100, 1, true));
}

TEST_F(MultiFileTest, ArchiveOfEightBytesHasNoMembers) {
    CMultiFile archive;
    archive.OpenArchive(WriteArchive("empty.arc", BuildArchive({})));
    EXPECT_TRUE(ExtractAll(archive).empty());
}

TEST_F(MultiFileTest, TrailingFragmentEndsTheArchiveSilently) {
    Bytes bytes = BuildArchive({TestMember("A.TXT", MakeData(100, 1, true))});
    Bytes fragment(345, 'x');
    bytes.insert(bytes.end(), fragment.begin(), fragment.end());
    CMultiFile archive;
    archive.OpenArchive(WriteArchive("a.arc", bytes));
    EXPECT_EQ(ExtractAll(archive).size(), 1u);
}

TEST_F(MultiFileTest, WrongEntryMagicIsMissingEntryHeader) {
    Bytes bytes = BuildArchive(
        {TestMember("A.TXT", MakeData(100, 1, true)), TestMember("B.TXT", MakeData(100, 2, true))});
    bytes[8 + 346 + 100] = 'M';
    CMultiFile archive;
    archive.OpenArchive(WriteArchive("a.arc", bytes));
    EXPECT_EQ(CauseOf<CMultiFileException>([&] { ExtractAll(archive); }),
              kMultiFileMissingEntryHeader);
}

TEST_F(MultiFileTest, ExtractsMembersWithTimeAndAttributes) {
    Bytes text = MakeData(70000, 1, true), binary = MakeData(5000, 2, false);
    TestMember deflated("TEXT.TXT", text, kMethodDeflate);
    deflated.header.SetTime(1234567890);
    TestMember stored("BIN.DAT", binary, kMethodStored);
    stored.header.SetAttributes(kAttrReadOnly | kAttrArchive);
    CMultiFile archive;
    archive.OpenArchive(WriteArchive("a.arc", BuildArchive({deflated, stored})));
    ExtractAll(archive);
    EXPECT_EQ(Output("TEXT.TXT"), text);
    EXPECT_EQ(Output("BIN.DAT"), binary);
    CFileStatus status;
    ASSERT_TRUE(CFile::GetStatus(m_scratch.Path("out-TEXT.TXT"), status));
    EXPECT_EQ(status.m_mtime, 1234567890);
    EXPECT_FALSE(status.m_attribute & kAttrReadOnly);
    ASSERT_TRUE(CFile::GetStatus(m_scratch.Path("out-BIN.DAT"), status));
    EXPECT_TRUE(status.m_attribute & kAttrReadOnly);
}

TEST_F(MultiFileTest, ChecksumZeroIsNeverChecked) {
    TestMember member("A.TXT", MakeData(1000, 1, true), kMethodDeflate);
    member.header.SetChecksum(0);
    CMultiFile archive;
    archive.OpenArchive(WriteArchive("a.arc", BuildArchive({member})));
    EXPECT_NO_THROW(ExtractAll(archive));
}

TEST_F(MultiFileTest, WrongChecksumFailsAfterTheFileWasWritten) {
    Bytes data = MakeData(1000, 1, true);
    TestMember member("A.TXT", data, kMethodDeflate);
    member.header.SetChecksum(member.header.GetChecksum() ^ 1);
    member.header.SetTime(1111111111);
    CMultiFile archive;
    archive.OpenArchive(WriteArchive("a.arc", BuildArchive({member})));
    EXPECT_EQ(CauseOf<CMultiFileException>([&] { ExtractAll(archive); }),
              kMultiFileChecksumMismatch);
    EXPECT_EQ(Output("A.TXT"), data);
    CFileStatus status;
    ASSERT_TRUE(CFile::GetStatus(m_scratch.Path("out-A.TXT"), status));
    EXPECT_EQ(status.m_mtime, 1111111111);
}

TEST_F(MultiFileTest, UnknownMethodLeavesAnEmptyClosedFile) {
    TestMember member("A.TXT", MakeData(100, 1, true));
    member.header.SetMethod(3);
    CMultiFile archive;
    archive.OpenArchive(WriteArchive("a.arc", BuildArchive({member})));
    EXPECT_EQ(CauseOf<CMultiFileException>([&] { ExtractAll(archive); }), kMultiFileUnknownMethod);
    EXPECT_TRUE(Output("A.TXT").empty());
    EXPECT_NO_THROW(CFile::Remove(m_scratch.Path("out-A.TXT")));
}

TEST_F(MultiFileTest, WriterRefusesAnUnknownMethodBeforeWritingTheMember) {
    const std::string input = m_scratch.Path("IN.TXT");
    WriteWholeFile(input, MakeData(100, 1, true));
    CArchiveWriter writer;
    writer.Create(m_scratch.Path("w.arc"));
    EXPECT_EQ(CauseOf<CMultiFileException>([&] { writer.AddFile(input, 3, 0); }),
              kMultiFileUnknownMethod);
    writer.Close();

    CMultiFile archive;
    archive.OpenArchive(m_scratch.Path("w.arc"));
    std::unique_ptr<CMultiFileEntry> entry = archive.CreateEntry();
    EXPECT_FALSE(archive.ReadEntryHeader(*entry));
}

TEST_F(MultiFileTest, EmptyMembersOfBothMethodsKeepTheSequence) {
    // An empty deflate member still has 8 packed bytes that the codec never pulls.
    CMultiFile archive;
    archive.OpenArchive(WriteArchive(
        "a.arc", BuildArchive({TestMember("E1.TXT", {}, kMethodStored),
                               TestMember("E2.TXT", {}, kMethodDeflate),
                               TestMember("LAST.TXT", MakeData(10, 1, true), kMethodDeflate)})));
    EXPECT_EQ(ExtractAll(archive), (std::vector<std::string>{"E1.TXT", "E2.TXT", "LAST.TXT"}));
    EXPECT_TRUE(Output("E1.TXT").empty());
    EXPECT_TRUE(Output("E2.TXT").empty());
    EXPECT_EQ(Output("LAST.TXT"), MakeData(10, 1, true));
}

TEST_F(MultiFileTest, DeflateTrailerInTheNextChunkDoesNotShiftTheNextHeader) {
    // Random data is stored in one deflate block: 7 bytes before the data, 4 after. With
    // 4088 bytes the last data byte is in the first 4096-byte chunk and most of the
    // Adler-32 value in the next one.
    Bytes data = MakeData(4088, 9, false);
    TestMember member("A.BIN", data, kMethodDeflate);
    ASSERT_EQ(member.packed.size(), data.size() + 11);
    CMultiFile archive;
    archive.OpenArchive(
        WriteArchive("a.arc", BuildArchive({member, TestMember("B.TXT", MakeData(10, 1, true))})));
    EXPECT_EQ(ExtractAll(archive), (std::vector<std::string>{"A.BIN", "B.TXT"}));
    EXPECT_EQ(Output("A.BIN"), data);
}

TEST_F(MultiFileTest, StreamEndingEarlyIsJudgedByTheChecksum) {
    Bytes data = MakeData(3000, 1, true);
    TestMember member("A.TXT", data, kMethodDeflate);
    member.header.SetExpandedSize(5000);
    CMultiFile archive;
    archive.OpenArchive(WriteArchive("a.arc", BuildArchive({member})));
    EXPECT_NO_THROW(ExtractAll(archive));
    EXPECT_EQ(Output("A.TXT"), data);
}

TEST_F(MultiFileTest, ShortDataWithoutContinuationIsNotContinued) {
    for (int32_t method : {kMethodStored, kMethodDeflate}) {
        Bytes data = MakeData(20000, 3, false);
        TestMember member("A.BIN", data, method);
        Bytes bytes = BuildArchive({member});
        bytes.resize(bytes.size() - 500);
        // A second volume exists but the member is not flagged to run on.
        WriteArchive("set.2", BuildArchive({TestMember("X.TXT", MakeData(600, 1, true))}));
        CFolderMultiFile archive;
        archive.OpenArchive(WriteArchive("set.1", bytes));
        if (method == kMethodStored)
            EXPECT_EQ(CauseOf<CFileException>([&] { ExtractAll(archive); }),
                      CFileException::endOfFile);
        else
            EXPECT_EQ(CauseOf<CZLibException>([&] { ExtractAll(archive); }), kZLibBufferError);
        EXPECT_EQ(archive.GetVolumeNumber(), 1);
    }
}

TEST_F(MultiFileTest, ContinuedMemberRunsOnAfterTheNextVolumesHeader) {
    Bytes big = MakeData(30000, 4, false), tail = MakeData(500, 5, true);
    TestMember first("BIG.BIN", big, kMethodDeflate);
    first.header.SetContinued(1);
    Bytes whole = BuildArchive({first, TestMember("TAIL.TXT", tail, kMethodDeflate)});
    // Volume 1 ends 1000 bytes into BIG.BIN's data, volume 2 20000 bytes later.
    size_t cut1 = 8 + 346 + 1000, cut2 = cut1 + 20000;
    Bytes header(whole.begin(), whole.begin() + 8);
    Bytes v1(whole.begin(), whole.begin() + static_cast<long>(cut1));
    Bytes v2 = header, v3 = header;
    v2.insert(v2.end(), whole.begin() + static_cast<long>(cut1),
              whole.begin() + static_cast<long>(cut2));
    v3.insert(v3.end(), whole.begin() + static_cast<long>(cut2), whole.end());
    WriteArchive("DATA.2", v2);
    WriteArchive("DATA.3", v3);
    CFolderMultiFile archive;
    archive.OpenArchive(WriteArchive("DATA.1", v1));
    EXPECT_EQ(ExtractAll(archive), (std::vector<std::string>{"BIG.BIN", "TAIL.TXT"}));
    EXPECT_EQ(Output("BIG.BIN"), big);
    EXPECT_EQ(Output("TAIL.TXT"), tail);
    EXPECT_EQ(archive.GetVolumeNumber(), 3);
}

TEST_F(MultiFileTest, NextVolumeMustBeAnArchiveAndMustExist) {
    TestMember first("BIG.BIN", MakeData(3000, 4, false));
    first.header.SetContinued(1);
    Bytes whole = BuildArchive({first});
    Bytes v1(whole.begin(), whole.begin() + 8 + 346 + 1000);
    // The rest of the data behind a header whose magic is wrong.
    Bytes v2(whole.begin() + 346 + 1000, whole.end());
    std::copy(whole.begin(), whole.begin() + 8, v2.begin());
    v2[0] = 'M';
    CFolderMultiFile missing;
    missing.OpenArchive(WriteArchive("ONE.A", v1));
    EXPECT_EQ(CauseOf<CFileException>([&] { ExtractAll(missing); }), CFileException::fileNotFound);
    WriteArchive("ONE.B", v2);
    CFolderMultiFile wrong;
    wrong.OpenArchive(m_scratch.Path("ONE.A"));
    EXPECT_EQ(CauseOf<CMultiFileException>([&] { ExtractAll(wrong); }), kMultiFileNotArchive);
}

TEST_F(MultiFileTest, TestVerifiesWithoutWritingAndSeekReadsHeadersAtTheirPlaces) {
    TestMember bad("B.TXT", MakeData(100, 2, true), kMethodDeflate);
    bad.header.SetChecksum(1);
    std::string path = WriteArchive(
        "a.arc", BuildArchive({TestMember("A.TXT", MakeData(100, 1, true), kMethodDeflate), bad,
                               TestMember("C.TXT", MakeData(100, 3, true))}));
    CMultiFile archive;
    archive.OpenArchive(path);
    std::unique_ptr<CMultiFileEntry> entry = archive.CreateEntry();
    ASSERT_TRUE(archive.ReadEntryHeader(*entry));
    EXPECT_NO_THROW(archive.Test(*entry));
    ASSERT_TRUE(archive.ReadEntryHeader(*entry));
    EXPECT_EQ(CauseOf<CMultiFileException>([&] { archive.Test(*entry); }),
              kMultiFileChecksumMismatch);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(m_scratch.Folder()),
                            std::filesystem::directory_iterator()),
              1);

    CMultiFile random;
    random.OpenArchive(path);
    std::unique_ptr<CMultiFileEntry> walker = random.CreateEntry();
    std::vector<std::string> names;
    while (random.ReadEntryHeader(*walker, true))
        names.push_back(walker->GetName());
    EXPECT_EQ(names, (std::vector<std::string>{"A.TXT", "B.TXT", "C.TXT"}));
}

namespace {

// Counts block boundaries and aborts at the second one.
class CCountingArchive : public CMultiFile {
public:
    void OnBlockBoundary() override {
        if (++m_nBoundaries == 2 && m_bAbort)
            Abort();
    }
    int m_nBoundaries = 0;
    bool m_bAbort = false;
};

} // namespace

TEST_F(MultiFileTest, BlockBoundaryOncePer4096PackedBytesAndAbortAfterTheMember) {
    Bytes data = MakeData(3 * 4096 + 10, 1, false);
    std::string path = WriteArchive("a.arc", BuildArchive({TestMember("A.BIN", data)}));
    CCountingArchive counting;
    counting.OpenArchive(path);
    ExtractAll(counting);
    EXPECT_EQ(counting.m_nBoundaries, 3);

    CCountingArchive aborting;
    aborting.m_bAbort = true;
    aborting.OpenArchive(path);
    EXPECT_THROW(ExtractAll(aborting), CUserException);
    EXPECT_EQ(Output("A.BIN"), data); // the codec ran to the end of the member
}

namespace {

class CRecordingSpan : public CSpanFile {
public:
    void RawWrite(const void* buffer, unsigned count) override { m_pieces.push_back(count); }
    bool OnVolumeEnd() override {
        ++m_nVolumeEnds;
        m_nWriteBase = m_nWriteCount; // as a writer's hook would on opening the next volume
        return false;
    }
    std::vector<unsigned> m_pieces;
    int m_nVolumeEnds = 0;
};

} // namespace

TEST(SpanFile, CountedWriteCutsAtVolumeLimitsAndChecksumsEverything) {
    CRecordingSpan span;
    span.SetVolumeLimit(1000);
    Bytes data = MakeData(2500, 1, false);
    span.Write(data.data(), 2500);
    EXPECT_EQ(span.m_pieces, (std::vector<unsigned>{1000, 1000, 500}));
    EXPECT_EQ(span.m_nVolumeEnds, 2);
    EXPECT_EQ(span.GetWriteCount(), 2500);
    EXPECT_EQ(span.GetChecksum(), ReferenceChecksum(data));
}

TEST(MultiFileEntry, InstallNameNeverLeavesTheFolder) {
    struct Case {
        const char* member;
        const char* name; // nullptr: refused
    } cases[] = {
        {"README.TXT", "README.TXT"},
        {"..\\..\\WIN.INI", "WIN.INI"},
        {"../../etc/passwd", "passwd"},
        {"C:AUTOEXEC.BAT", "AUTOEXEC.BAT"},
        {"C:\\DIR\\", nullptr},
        {"..", nullptr},
        {".", nullptr},
        {"", nullptr},
        {"CON", nullptr},
        {"nul.txt", nullptr},
        {"LPT1", nullptr},
        {"A?B", nullptr},
        {"TAB\tNAME", nullptr},
        {"COM10", "COM10"},
    };
    for (const Case& c : cases) {
        std::string name;
        bool ok = CMultiFileEntry::MakeInstallName(c.member, name);
        EXPECT_EQ(ok, c.name != nullptr) << c.member;
        if (ok && c.name) {
            EXPECT_EQ(name, c.name);
        }
    }
    CMultiFileEntry entry;
    entry.Header().SetName("..");
    entry.TakeTextsFromHeader();
    EXPECT_THROW(entry.GetInstallName(), CFileException);
}

TEST(MultiFileEntry, NamesWithoutTerminatorStayInsideTheirField) {
    CMultiFileEntry entry;
    std::memset(entry.Header().m_bytes + 16, 'N', 260);
    std::memset(entry.Header().m_bytes + 306, 'D', 40);
    entry.TakeTextsFromHeader();
    EXPECT_EQ(entry.GetName(), std::string(260, 'N'));
    EXPECT_EQ(entry.GetDescription(), std::string(40, 'D'));
    EXPECT_THROW(entry.SetOutputPath(std::string(260, 'x')), CFileException);
}

TEST(MultiFile, NextVolumeRaisesTheLastCharacter) {
    std::string next;
    ASSERT_TRUE(CMultiFile::NextVolumePath("A:\\DATA.1", next));
    EXPECT_EQ(next, "A:\\DATA.2");
    ASSERT_TRUE(CMultiFile::NextVolumePath("dir/SET.A", next));
    EXPECT_EQ(next, "dir/SET.B");
    EXPECT_FALSE(CMultiFile::NextVolumePath("SET.9", next)); // ':' is no name character
    EXPECT_FALSE(CMultiFile::NextVolumePath("dir/", next));
    EXPECT_FALSE(CMultiFile::NextVolumePath("", next));
    EXPECT_FALSE(CMultiFile::NextVolumePath("SET.\xFF", next));
}

TEST(ArchiveErrors, TitlesComeFromTheirTables) {
    EXPECT_EQ(ErrorTitleOf(CMultiFileException(1)), "Unknown compression method.");
    EXPECT_EQ(ErrorTitleOf(CMultiFileException(2)), "File is not an archive file.");
    EXPECT_EQ(ErrorTitleOf(CMultiFileException(3)), "Archive file damaged (missing entry header).");
    EXPECT_EQ(ErrorTitleOf(CMultiFileException(4)), "Archive file damaged (corrupt table).");
    EXPECT_EQ(ErrorTitleOf(CMultiFileException(5)), "Archive file damaged (CRC Mismatch)");
    EXPECT_EQ(ErrorTitleOf(CMultiFileException(7)), "An unkown error occured.");
    EXPECT_EQ(SharedErrorExplanation().substr(0, 35), "The requested operation cannot be c");
    EXPECT_EQ(ErrorTitleOf(CZLibException(4)), "Archive file damaged (buffer error).");
    EXPECT_EQ(SharedErrorExplanation().substr(0, 69),
              "The archive file this application is extracting appears damaged . Pos");
    EXPECT_STREQ(CZLibException(1).GetRuntimeClassName(), "CZLibException");
    EXPECT_STREQ(CMultiFileException(1).GetRuntimeClassName(), "CMultiFileException");
}
