// The mfarc command line end to end: create, list, test and extract, with its exit
// statuses and error lines.
#include "ArchiveTestUtil.h"

#include "tools/mfarc/MfarcTool.h"

#include <gtest/gtest.h>
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

struct RunResult {
    int status;
    std::string out, err;
};

RunResult Mfarc(const std::vector<std::string>& args) {
    std::ostringstream out, err;
    int status = RunMfarc(args, out, err);
    return {status, out.str(), err.str()};
}

std::vector<std::vector<std::string>> ListLines(const std::string& text) {
    std::vector<std::vector<std::string>> lines;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        std::vector<std::string> fields;
        std::istringstream fieldStream(line);
        std::string field;
        while (std::getline(fieldStream, field, '\t'))
            fields.push_back(field);
        lines.push_back(fields);
    }
    return lines;
}

std::string Hex8(uint32_t value) {
    char text[9];
    std::snprintf(text, sizeof text, "%08x", value);
    return text;
}

bool SameFiles(const std::string& a, const std::string& b) {
    std::ifstream fa(a, std::ios::binary), fb(b, std::ios::binary);
    std::vector<char> ba(1 << 16), bb(1 << 16);
    while (fa && fb) {
        fa.read(ba.data(), static_cast<long>(ba.size()));
        fb.read(bb.data(), static_cast<long>(bb.size()));
        if (fa.gcount() != fb.gcount() ||
            !std::equal(ba.begin(), ba.begin() + fa.gcount(), bb.begin()))
            return false;
    }
    return !fa && !fb;
}

class MfarcTest : public ::testing::Test {
protected:
    struct Source {
        std::string name;
        Bytes data;
        time_t mtime;
        bool readOnly;
    };
    void MakeSources() {
        m_sources = {
            {"EMPTY.TXT", {}, 946684800, false},
            {"TEXT.TXT", MakeData(150000, 1, true), 1000000000, false},
            {"RANDOM.BIN", MakeData(70001, 2, false), 1300000000, true},
            {"SMALL.INI", MakeData(13, 3, true), 1600000000, false},
        };
        std::filesystem::create_directory(m_scratch.Path("in"));
        for (const Source& s : m_sources) {
            std::string path = InPath(s.name);
            WriteWholeFile(path, s.data);
            CFileStatus status;
            CFile::GetStatus(path, status);
            status.m_mtime = s.mtime;
            status.m_attribute = s.readOnly ? kAttrReadOnly : 0;
            CFile::SetStatus(path, status);
        }
    }
    std::string InPath(const std::string& name) {
        return (std::filesystem::path(m_scratch.Path("in")) / name).string();
    }
    std::vector<std::string> CreateArgs(const std::string& method, const std::string& volume,
                                        const std::string& archive) {
        std::vector<std::string> args = {"create", "-m", method, "-d", "-3"};
        if (!volume.empty())
            args.insert(args.end(), {"-s", volume});
        args.push_back(archive);
        for (const Source& s : m_sources)
            args.push_back(InPath(s.name));
        return args;
    }

    CScratchFolder m_scratch;
    std::vector<Source> m_sources;
};

} // namespace

TEST_F(MfarcTest, RoundTripGivesBackBytesTimesAndAttributes) {
    MakeSources();
    int round = 0;
    for (std::string method : {"stored", "deflate"}) {
        for (std::string volume : {"", "20000"}) {
            SCOPED_TRACE(method + " " + volume);
            std::string archive = m_scratch.Path("set" + std::to_string(++round) + ".A");
            RunResult created = Mfarc(CreateArgs(method, volume, archive));
            ASSERT_EQ(created.status, 0) << created.err;

            RunResult listed = Mfarc({"list", archive});
            ASSERT_EQ(listed.status, 0) << listed.err;
            auto lines = ListLines(listed.out);
            ASSERT_EQ(lines.size(), m_sources.size());
            bool anyContinued = false;
            for (size_t i = 0; i < lines.size(); ++i) {
                const Source& s = m_sources[i];
                ASSERT_EQ(lines[i].size(), 7u);
                EXPECT_EQ(lines[i][0], s.name);
                EXPECT_EQ(lines[i][1], "-3");
                EXPECT_EQ(lines[i][2], method == "stored" ? "2" : "4");
                EXPECT_EQ(lines[i][3], std::to_string(s.data.size()));
                if (method == "stored") {
                    EXPECT_EQ(lines[i][4], lines[i][3]);
                }
                EXPECT_EQ(lines[i][5], Hex8(ReferenceChecksum(s.data)));
                anyContinued |= lines[i][6] == "1";
            }
            EXPECT_EQ(anyContinued, !volume.empty());

            EXPECT_EQ(Mfarc({"test", archive}).status, 0);
            std::string out = m_scratch.Path("out" + std::to_string(round));
            RunResult extracted = Mfarc({"extract", archive, out});
            ASSERT_EQ(extracted.status, 0) << extracted.err;
            for (const Source& s : m_sources) {
                std::string path = (std::filesystem::path(out) / s.name).string();
                EXPECT_EQ(ReadWholeFile(path), s.data) << s.name;
                CFileStatus status;
                ASSERT_TRUE(CFile::GetStatus(path, status));
                EXPECT_EQ(status.m_mtime, s.mtime) << s.name;
                EXPECT_EQ((status.m_attribute & kAttrReadOnly) != 0, s.readOnly) << s.name;
            }
        }
    }
}

TEST_F(MfarcTest, WrongUsageExitsWithTwo) {
    MakeSources();
    const std::vector<std::vector<std::string>> cases = {
        {},
        {"pack", "a.arc"},
        {"create", "a.arc"},
        {"create", "-m", "zip", "a.arc", InPath("TEXT.TXT")},
        {"create", "-s", "100", "a.arc", InPath("TEXT.TXT")},
        {"create", "-d", "40000", "a.arc", InPath("TEXT.TXT")},
        {"create", "-m"},
        {"list"},
        {"extract", "a.arc"},
        {"test", "a.arc", "extra"},
    };
    for (const auto& args : cases) {
        RunResult r = Mfarc(args);
        EXPECT_EQ(r.status, 2) << (args.empty() ? "" : args[0]);
        EXPECT_NE(r.err.find("usage: mfarc"), std::string::npos);
    }
}

TEST_F(MfarcTest, DamageExitsWithOneNamingTheMemberAndTheTitle) {
    std::vector<TestMember> members = {TestMember("GOOD.TXT", MakeData(100, 1, true)),
                                       TestMember("BAD.TXT", MakeData(100, 2, true))};
    Bytes bytes = BuildArchive(members);
    bytes.back() ^= 0x55; // last data byte of BAD.TXT
    std::string damaged = m_scratch.Path("damaged.arc");
    WriteWholeFile(damaged, bytes);
    for (const char* command : {"test", "extract"}) {
        std::vector<std::string> args = {command, damaged};
        if (std::string(command) == "extract")
            args.push_back(m_scratch.Path("out"));
        RunResult r = Mfarc(args);
        EXPECT_EQ(r.status, 1);
        EXPECT_EQ(r.err, "mfarc: BAD.TXT: Archive file damaged (CRC Mismatch)\n");
    }

    std::string notArchive = m_scratch.Path("plain.txt");
    WriteWholeFile(notArchive, MakeData(500, 1, true));
    RunResult r = Mfarc({"list", notArchive});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "mfarc: File is not an archive file.\n");

    RunResult missing = Mfarc({"create", m_scratch.Path("x.arc"), m_scratch.Path("none.txt")});
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.err.find("File not found."), std::string::npos);
}

TEST_F(MfarcTest, ExtractKeepsHostileNamesInsideTheFolder) {
    TestMember up("..\\..\\UP.TXT", MakeData(10, 1, true));
    TestMember slash("../../SLASH.TXT", MakeData(10, 2, true));
    TestMember drive("C:\\WINDOWS\\WIN.INI", MakeData(10, 3, true));
    std::string archive = m_scratch.Path("hostile.arc");
    WriteWholeFile(archive, BuildArchive({up, slash, drive}));
    std::filesystem::create_directories(m_scratch.Path("a/b/out"));
    RunResult r = Mfarc({"extract", archive, m_scratch.Path("a/b/out")});
    ASSERT_EQ(r.status, 0) << r.err;
    std::vector<std::string> found = ListFilesBelow(m_scratch.Folder());
    std::sort(found.begin(), found.end());
    std::vector<std::string> expected = {"hostile.arc"};
    for (const char* name : {"SLASH.TXT", "UP.TXT", "WIN.INI"})
        expected.push_back((std::filesystem::path("a") / "b" / "out" / name).string());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(found, expected);

    TestMember dots("..", MakeData(10, 1, true));
    WriteWholeFile(archive, BuildArchive({dots}));
    RunResult refused = Mfarc({"extract", archive, m_scratch.Path("a/b/out")});
    EXPECT_EQ(refused.status, 1);
    EXPECT_EQ(refused.err, "mfarc: ..: Invalid path.\n");
}

TEST_F(MfarcTest, LargeFileRoundTripsThroughVolumes) {
#ifdef _WIN32
    const size_t size = 8u << 20; // Wine: keep the run short
    const std::string volume = "3000000";
#else
    const size_t size = 100u << 20;
    const std::string volume = "30000000";
#endif
    std::string source = m_scratch.Path("LARGE.DAT");
    {
        std::ofstream out(source, std::ios::binary);
        for (uint32_t chunk = 0; chunk * (1u << 20) < size; ++chunk) {
            Bytes data = MakeData(1u << 20, chunk % 7, chunk % 3 == 0 ? false : true);
            out.write(reinterpret_cast<const char*>(data.data()), static_cast<long>(data.size()));
        }
    }
    std::string archive = m_scratch.Path("LARGE.A");
    ASSERT_EQ(Mfarc({"create", "-s", volume, archive, source}).status, 0);
    RunResult listed = Mfarc({"list", archive});
    ASSERT_EQ(listed.status, 0) << listed.err;
    auto lines = ListLines(listed.out);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0][3], std::to_string(size));
    EXPECT_EQ(lines[0][6], "1");
    EXPECT_EQ(Mfarc({"test", archive}).status, 0);
    RunResult extracted = Mfarc({"extract", archive, m_scratch.Path("out")});
    ASSERT_EQ(extracted.status, 0) << extracted.err;
    EXPECT_TRUE(SameFiles(source, m_scratch.Path("out/LARGE.DAT")));
}
