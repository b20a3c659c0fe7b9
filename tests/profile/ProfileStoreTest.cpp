// The profile store on real INI files, through the platform's private-profile functions.
#include "TestFiles.h"

#include "framework/Exception.h"
#include "profile/IniEntryAdder.h"
#include "profile/ProfileKeyList.h"
#include "profile/ProfileValue.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <vector>

namespace {

class ProfileStore : public ::testing::Test {
protected:
    std::string Ini(const std::string& bytes) {
        WriteFileBytes(m_folder.Path("test.ini"), bytes);
        return m_folder.Path("test.ini");
    }
    std::string Add(const std::string& section, const std::string& key, const std::string& value) {
        CIniEntryAdder adder{CSetupPath(m_folder.Path("test.ini"))};
        EXPECT_EQ(1, adder.AddEntry(section, key, value));
        return ReadFileBytes(m_folder.Path("test.ini"));
    }
    CScratchFolder m_folder;
};

// ---- value objects

TEST_F(ProfileStore, ValueReadsTheKeyAndReportsAnEmptyResultAsFalse) {
    CSetupPath file(Ini("[Sec]\r\nName=Shiftwell\r\nEmpty=\r\n"));
    CProfileValue value("", "sec", "NAME", file, 0, 1);
    EXPECT_EQ("Shiftwell", value.GetValue());
    EXPECT_FALSE(value.IsModified());
    CProfileValue empty("", "Sec", "Empty", file, 0, 0);
    EXPECT_FALSE(empty.Read());
    CProfileValue missing("", "Sec", "Missing", file, 0, 0);
    EXPECT_FALSE(missing.Read());
    // The current value is the default of the lookup.
    CProfileValue withDefault("fallback", "Sec", "Missing", file, 0, 0);
    EXPECT_TRUE(withDefault.Read());
    EXPECT_EQ("fallback", withDefault.GetValue());
}

TEST_F(ProfileStore, ValueWithEmptyKeyDoesNotReadOnCreation) {
    CSetupPath file(Ini("[Events]\r\n=something\r\n"));
    CProfileValue value("default", "Events", "", file, 0, 1);
    EXPECT_EQ("default", value.GetValue());
    EXPECT_TRUE(value.IsModified()); // never read: nothing was read to compare with
}

TEST_F(ProfileStore, LongValuesAreCutTo254Characters) {
    std::string longText(400, 'x');
    CSetupPath file(Ini("[S]\r\nK=" + longText + "\r\n"));
    CProfileValue value("", "S", "K", file, 0, 1);
    EXPECT_EQ(std::string(254, 'x'), value.GetValue());
}

TEST_F(ProfileStore, ValueWritesBackOnDestructionOnlyWhenChanged) {
    CSetupPath file(Ini("[S]\r\nK=old\r\n"));
    {
        CProfileValue value("", "S", "K", file, 1, 1);
        value.SetValue("new");
    }
    EXPECT_EQ("new", CProfileValue("", "S", "K", file, 0, 1).GetValue());
    {
        CProfileValue value("", "S", "K", file, 0, 1);
        value.SetValue("lost");
    }
    EXPECT_EQ("new", CProfileValue("", "S", "K", file, 0, 1).GetValue());
    // Unchanged values are not written: the file keeps its bytes.
    std::string before = ReadFileBytes(file.GetText());
    { CProfileValue value("", "S", "K", file, 1, 1); }
    EXPECT_EQ(before, ReadFileBytes(file.GetText()));
}

TEST_F(ProfileStore, WriteCreatesFileSectionAndKey) {
    CSetupPath file(m_folder.Path("new.ini"));
    CProfileValue value("", "GroupCreated", "Data0", file, 0, 0);
    value.SetValue("Corvatek Shiftwell");
    EXPECT_TRUE(value.Write());
    EXPECT_EQ("Corvatek Shiftwell",
              CProfileValue("", "GroupCreated", "Data0", file, 0, 1).GetValue());
}

// ---- key enumeration

std::vector<std::string> Keys(const std::string& section, const CSetupPath& file) {
    std::vector<std::string> keys;
    CProfileKeyList list(section.c_str());
    list.SetFile(file);
    CProfileValue value;
    for (bool more = list.First(value); more; more = list.Next(value)) {
        EXPECT_EQ(section, value.GetSection());
        EXPECT_EQ(file.GetText(), value.GetFile().GetText());
        keys.push_back(value.GetKey());
    }
    return keys;
}

TEST_F(ProfileStore, KeyListHandsOutKeysInFileOrderWithoutValues) {
    CSetupPath file(Ini("[a]\r\nzeta=1\r\nalpha=2\r\n[b]\r\nx=3\r\n"));
    EXPECT_EQ((std::vector<std::string>{"zeta", "alpha"}), Keys("a", file));
    EXPECT_EQ((std::vector<std::string>{"x"}), Keys("B", file));
    EXPECT_TRUE(Keys("none", file).empty());
    EXPECT_TRUE(Keys("a", CSetupPath(m_folder.Path("missing.ini"))).empty());
}

TEST_F(ProfileStore, KeyListPastTheFirstBufferIsReadCompletely) {
    // Key lists from 200 to 1100 bytes cross the buffer sizes 256, 512 and 1024 at every
    // possible offset around the boundaries.
    for (int count = 20; count <= 110; ++count) {
        std::string text = "[many]\r\n";
        std::vector<std::string> expected;
        for (int i = 0; i < count; ++i) {
            // 9 to 13 characters, each key different
            std::string key = "k" + std::string(6 + i % 3, static_cast<char>('a' + i % 26));
            key += std::to_string(100 + i);
            expected.push_back(key);
            text += key + "=v\r\n";
        }
        CSetupPath file(Ini(text));
        ASSERT_EQ(expected, Keys("many", file)) << count << " keys";
    }
}

TEST_F(ProfileStore, SectionReadersVisitEveryKeyWithItsOwnValue) {
    CSetupPath file(Ini("[s]\r\nfirst=one|1\r\nempty=\r\nlast= three \r\n"));
    std::vector<std::string> visited;
    size_t count =
        ForEachProfileValue(file, "s", [&](const std::string& key, const std::string& value) {
            visited.push_back(key + "=" + value);
        });
    EXPECT_EQ(3u, count);
    EXPECT_EQ((std::vector<std::string>{"first=one|1", "empty=", "last=three"}), visited);
    EXPECT_EQ((std::vector<std::string>{"one|1", "", "three"}), ReadSectionValues(file, "s"));
    EXPECT_EQ(0u, ForEachProfileValue(file, "none", [](const std::string&, const std::string&) {
                  ADD_FAILURE() << "a missing section has no keys";
              }));
}

TEST_F(ProfileStore, NextAfterTheEndKeepsReturningFalse) {
    CSetupPath file(Ini("[s]\r\nonly=1\r\n"));
    CProfileKeyList list("s");
    list.SetFile(file);
    CProfileValue value;
    EXPECT_TRUE(list.First(value));
    EXPECT_FALSE(list.Next(value));
    EXPECT_FALSE(list.Next(value));
    EXPECT_EQ("only", value.GetKey());
}

// ---- the entry adder

TEST_F(ProfileStore, AdderAppendsNewSectionAtTheEndWithCrLf) {
    Ini("[boot]\r\nshell=x\r\n");
    EXPECT_EQ("[boot]\r\nshell=x\r\n[rename]\r\nNUL=C:\\A.TMP\r\n",
              Add("rename", "NUL", "C:\\A.TMP"));
}

TEST_F(ProfileStore, AdderLeavesFileUnchangedForAnIdenticalEntry) {
    std::string original = "[rename]\r\nNUL=C:\\A.TMP\r\n\r\n[boot]\r\nx=1\r\n";
    Ini(original);
    EXPECT_EQ(original, Add("Rename", "nul", "c:\\a.tmp"));
    EXPECT_EQ(std::vector<std::string>{"test.ini"}, m_folder.Files());
    // The same holds when the identical entry is the file's last line.
    original = "[rename]\r\nNUL=C:\\A.TMP\r\n";
    Ini(original);
    EXPECT_EQ(original, Add("rename", "NUL", "C:\\A.TMP"));
    EXPECT_EQ(std::vector<std::string>{"test.ini"}, m_folder.Files());
}

TEST_F(ProfileStore, AdderPutsAnotherValueAtTheEndOfTheSameSection) {
    Ini("[rename]\r\nNUL=C:\\A.TMP\r\nC:\\B.DLL=C:\\B.TMP\r\n[boot]\r\nx=1\r\n");
    EXPECT_EQ("[rename]\r\nNUL=C:\\A.TMP\r\nC:\\B.DLL=C:\\B.TMP\r\nNUL=C:\\C.TMP\r\n"
              "[boot]\r\nx=1\r\n",
              Add("rename", "NUL", "C:\\C.TMP"));
    EXPECT_EQ(std::vector<std::string>{"test.ini"}, m_folder.Files());
}

TEST_F(ProfileStore, AdderMatchesHeadersWithoutCaseButKeysExactlyUpToBlanks) {
    Ini("[RENAME]\r\nNUL =C:\\A.TMP\r\n");
    // "NUL " is not "NUL": a second line is added, at the end of the capitalised section.
    EXPECT_EQ("[RENAME]\r\nNUL =C:\\A.TMP\r\nNUL=C:\\A.TMP\r\n", Add("rename", "NUL", "C:\\A.TMP"));
    // Leading blanks of the key and trailing blanks of the value do not count.
    Ini("[rename]\r\n  NUL=C:\\A.TMP  \r\n");
    EXPECT_EQ("[rename]\r\n  NUL=C:\\A.TMP  \r\n", Add("rename", "NUL", "C:\\A.TMP"));
}

TEST_F(ProfileStore, AdderCreatesAMissingFile) {
    CIniEntryAdder adder{CSetupPath(m_folder.Path("wininit.ini"))};
    adder.AddEntry("rename", "NUL", "C:\\A.TMP");
    EXPECT_EQ("[rename]\r\nNUL=C:\\A.TMP\r\n", ReadFileBytes(m_folder.Path("wininit.ini")));
    EXPECT_EQ(std::vector<std::string>{"wininit.ini"}, m_folder.Files());
}

TEST_F(ProfileStore, AdderStartsItsTextOnALineOfItsOwn) {
    Ini("[rename]\r\nNUL=C:\\A.TMP");
    EXPECT_EQ("[rename]\r\nNUL=C:\\A.TMP\r\nNUL=C:\\B.TMP\r\n", Add("rename", "NUL", "C:\\B.TMP"));
    Ini("[boot]\r\nx=1");
    EXPECT_EQ("[boot]\r\nx=1\r\n[rename]\r\nNUL=C:\\B.TMP\r\n", Add("rename", "NUL", "C:\\B.TMP"));
    // An identical last line without line end is still recognised.
    Ini("[rename]\r\nNUL=C:\\B.TMP");
    EXPECT_EQ("[rename]\r\nNUL=C:\\B.TMP", Add("rename", "NUL", "C:\\B.TMP"));
}

TEST_F(ProfileStore, AdderKeepsLongLinesWhole) {
    // The second 511-character piece of this line starts with "[": it is not a header.
    std::string longLine = "comment=" + std::string(503, 'c') + "[boot]";
    Ini("[rename]\r\n" + longLine + "\r\nNUL=C:\\A.TMP\r\n[boot]\r\n");
    EXPECT_EQ("[rename]\r\n" + longLine + "\r\nNUL=C:\\A.TMP\r\nNUL=C:\\B.TMP\r\n[boot]\r\n",
              Add("rename", "NUL", "C:\\B.TMP"));
    // A line of exactly 511 characters before its line end.
    std::string exact = "k=" + std::string(509, 'e');
    Ini("[s]\r\n" + exact + "\r\n");
    EXPECT_EQ("[s]\r\n" + exact + "\r\nNUL=1\r\n", Add("s", "NUL", "1"));
}

TEST_F(ProfileStore, AdderKeepsLongEntriesUncut) {
    std::string source(250, 's'), target(250, 't');
    Ini("");
    EXPECT_EQ("[rename]\r\n" + target + "=" + source + "\r\n", Add("rename", target, source));
}

TEST_F(ProfileStore, AdderTreatsLinesBeforeTheFirstHeaderAsTheUnnamedSection) {
    Ini("top=1\r\n[s]\r\n");
    EXPECT_EQ("top=1\r\nNUL=2\r\n[s]\r\n", Add("", "NUL", "2"));
}

TEST_F(ProfileStore, AdderReplacesAReadOnlyFile) {
    std::string path = Ini("[rename]\r\n");
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ("[rename]\r\nNUL=C:\\A.TMP\r\n", Add("rename", "NUL", "C:\\A.TMP"));
    EXPECT_EQ(std::vector<std::string>{"test.ini"}, m_folder.Files());
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(ProfileStore, AdderThrowsWhenItCannotCreateItsCopy) {
    CIniEntryAdder adder{CSetupPath(m_folder.Path("no-such-folder\\wininit.ini"))};
    EXPECT_THROW(adder.AddEntry("rename", "NUL", "C:\\A.TMP"), CFileException);
}

// ---- line rules

TEST(IniLineRules, HeaderNameDropsTheLastCharacterWhateverItIs) {
    std::string name;
    EXPECT_TRUE(ParseSectionHeader("  [rename]  \n", name));
    EXPECT_EQ("rename", name);
    EXPECT_TRUE(ParseSectionHeader("[renamex", name));
    EXPECT_EQ("rename", name);
    EXPECT_TRUE(ParseSectionHeader("[", name));
    EXPECT_EQ("", name);
    EXPECT_FALSE(ParseSectionHeader("x[rename]", name));
    EXPECT_FALSE(ParseSectionHeader(" \t\r\n", name));
}

TEST(IniLineRules, KeyLineSplitsAtTheFirstEquals) {
    std::string key, value;
    EXPECT_TRUE(ParseKeyLine("  NUL =C:\\A=B  \n", key, value));
    EXPECT_EQ("NUL ", key);
    EXPECT_EQ("C:\\A=B", value);
    EXPECT_FALSE(ParseKeyLine("; comment\n", key, value));
}

TEST(IniLineRules, ComparisonFoldsAsciiLettersOnly) {
    EXPECT_TRUE(EqualsNoCase("ReNaMe", "rename"));
    EXPECT_FALSE(EqualsNoCase("rename", "renam"));
    EXPECT_FALSE(EqualsNoCase("[", "{")); // 0x5B and 0x7B are no letters
    EXPECT_FALSE(EqualsNoCase("\xC4", "\xE4"));
}

} // namespace
