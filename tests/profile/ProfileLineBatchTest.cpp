// Log lines written as one merge per section must leave the file exactly as the same writes
// made one at a time through WritePrivateProfileString would. The merge rules are checked
// everywhere; under Wine the batch is compared with the real one-at-a-time writes.
#include "profile/ProfileLines.h"

#include <gtest/gtest.h>

#ifdef _WIN32
#include "TestFiles.h"
#include "profile/ProfileCopy.h"
#include "profile/ProfileLineBatch.h"

#include <windows.h>
#endif

namespace {

std::string Joined(const std::vector<CProfileLine>& lines) {
    std::string text;
    for (const CProfileLine& line : lines)
        text += line.m_strKey + (line.m_bHasEquals ? "=" + line.m_strValue : "") + ";";
    return text;
}

TEST(ProfileLines, WritesReplaceTheFirstLineOfAKeyInPlaceAndAppendNewKeys) {
    std::vector<CProfileLine> lines =
        ParseSectionText(std::string("a.exe=0|1|0\0B.DLL=1|1|0\0b.dll=2|2|2\0", 37));
    std::vector<CProfileLine> merged = MergeProfileLines(
        lines, {{"b.dll", "0|0|0"}, {"new.txt", "0|1|0"}, {"NEW.TXT", "0|1|1"}, {"A.EXE", "9"}});
    // The key keeps its spelling in the file; the second line of a duplicate key stays.
    EXPECT_EQ("a.exe=9;B.DLL=0|0|0;b.dll=2|2|2;new.txt=0|1|1;", Joined(merged));
}

TEST(ProfileLines, ParsesWhatTheSectionReaderReturns) {
    std::vector<CProfileLine> lines =
        ParseSectionText(std::string("  key  =  value \0bare\0=empty key\0\0ignored\0", 41));
    ASSERT_EQ(3u, lines.size());
    EXPECT_EQ("key", lines[0].m_strKey);
    EXPECT_EQ("value", lines[0].m_strValue);
    EXPECT_FALSE(lines[1].m_bHasEquals);
    EXPECT_EQ("", lines[2].m_strKey);
    EXPECT_EQ("empty key", lines[2].m_strValue);
    // A line without "=" goes back as it was, unless a write gives its key a value.
    EXPECT_EQ(std::string("key=value\0bare\0=empty key\0\0", 27), FormatSectionText(lines));
    EXPECT_EQ("key=value;bare=x;=empty key;", Joined(MergeProfileLines(lines, {{"BARE", "x"}})));
    EXPECT_TRUE(ParseSectionText(std::string()).empty());
    EXPECT_EQ(1u, ParseSectionText("unterminated=1").size());
}

TEST(ProfileLines, KeysCompareWithoutCaseAndSurroundingBlanks) {
    EXPECT_TRUE(ProfileKeysEqual(" Shift.EXE", "shift.exe\t"));
    EXPECT_FALSE(ProfileKeysEqual("shift.exe", "shift.ex"));
}

#ifdef _WIN32

// Writes every line one at a time into `single` and as one batch into `batched`.
void WriteBoth(const std::string& single, const std::string& batched,
               const std::vector<std::vector<std::string>>& writes) {
    CProfileLineBatch batch{CSetupPath(batched)};
    for (const auto& w : writes) {
        WritePrivateProfileStringA(w[0].c_str(), w[1].c_str(), w[2].c_str(), single.c_str());
        batch.Add(w[0], w[1], w[2]);
    }
    batch.Flush();
    EXPECT_TRUE(batch.IsEmpty());
}

class ProfileLineBatchFile : public ::testing::Test {
protected:
    void ExpectSameAsSingleWrites(const std::string& start,
                                  const std::vector<std::vector<std::string>>& writes) {
        std::string single = m_folder.Path("single.log"), batched = m_folder.Path("batched.log");
        WriteFileBytes(single, start);
        WriteFileBytes(batched, start);
        WriteBoth(single, batched, writes);
        EXPECT_EQ(ReadFileBytes(single), ReadFileBytes(batched));
    }
    CScratchFolder m_folder;
};

TEST_F(ProfileLineBatchFile, NewLogMatchesOneWriteAtATime) {
    ExpectSameAsSingleWrites("", {{"Program", "shift.exe", "0|1|0"},
                                  {"Program", "shift.dat", "1|1|0"},
                                  {"Shared", "shiftcom.dll", "-3|1|0"},
                                  {"Program", "SHIFT.EXE", "0|1|1"}});
}

TEST_F(ProfileLineBatchFile, EarlierLogMergesAsOneWriteAtATime) {
    ExpectSameAsSingleWrites("[Program]\r\nshift.exe=0|0|0\r\nold.txt=0|1|0\r\n"
                             "[Events]\r\n09:05:07:0789=Could not write SMS status.\r\n"
                             "[destinations]\r\n0=SHIFT|-1|C:\\SHIFT\\\r\n",
                             {{"Program", "shift.exe", "0|1|1"},
                              {"Program", "new.txt", "0|1|0"},
                              {"Help", "shift.txt", "0|1|0"}});
}

TEST_F(ProfileLineBatchFile, DestroyingTheBatchWritesWhatIsPending) {
    std::string log = m_folder.Path("pending.log");
    {
        CProfileLineBatch batch{CSetupPath(log)};
        batch.Add("Program", "shift.exe", "0|1|0");
        EXPECT_FALSE(PathExists(log)); // nothing before the flush
    }
    char value[32] = {};
    GetPrivateProfileStringA("Program", "shift.exe", "", value, sizeof value, log.c_str());
    EXPECT_STREQ("0|1|0", value);
}

TEST_F(ProfileLineBatchFile, ThousandsOfLinesInOneSection) {
    std::vector<std::vector<std::string>> writes;
    for (int i = 0; i < 3000; ++i)
        writes.push_back({"Data", "F" + std::to_string(i) + ".BIN", "2|1|0"});
    std::string log = m_folder.Path("many.log");
    {
        CProfileLineBatch batch{CSetupPath(log)};
        for (const auto& w : writes)
            batch.Add(w[0], w[1], w[2]);
    }
    char value[32] = {};
    GetPrivateProfileStringA("Data", "F2999.BIN", "", value, sizeof value, log.c_str());
    EXPECT_STREQ("2|1|0", value);
    std::string text = ReadFileBytes(log);
    EXPECT_EQ(0u, text.find("[Data]\r\nF0.BIN=2|1|0\r\nF1.BIN=2|1|0\r\n"));
}

TEST_F(ProfileLineBatchFile, WritesLeaveNoCopyBehind) {
    std::string log = m_folder.Path("shift.log");
    WriteFileBytes(log, "[Events]\r\n09:05:07:0789=Could not write SMS status.\r\n");
    for (int i = 0; i < 3; ++i) {
        CProfileLineBatch batch{CSetupPath(log)};
        batch.Add("Program", "file" + std::to_string(i), "0|1|0");
    }
    EXPECT_EQ(std::vector<std::string>{"shift.log"}, m_folder.Files());
    EXPECT_EQ("[Events]\r\n09:05:07:0789=Could not write SMS status.\r\n[Program]\r\n"
              "file0=0|1|0\r\nfile1=0|1|0\r\nfile2=0|1|0\r\n",
              ReadFileBytes(log));
}

TEST_F(ProfileLineBatchFile, WritesNotCommittedLeaveTheFileAsItWas) {
    const std::string before = "[Program]\r\nshift.exe=0|1|0\r\n";
    std::string ini = m_folder.Path("SETUP.INI");
    WriteFileBytes(ini, before);
    {
        CProfileCopy copy{CSetupPath(ini)};
        EXPECT_NE(ini, copy.GetPath().GetText());
        EXPECT_EQ(before, ReadFileBytes(copy.GetPath().GetText()));
        WritePrivateProfileStringA("GroupCreated", "Data0", "Tools",
                                   copy.GetPath().GetText().c_str());
        EXPECT_EQ(before, ReadFileBytes(ini)); // nothing reaches the file before the commit
    }
    EXPECT_EQ(before, ReadFileBytes(ini));
    EXPECT_EQ(std::vector<std::string>{"SETUP.INI"}, m_folder.Files());
}

#endif

} // namespace
