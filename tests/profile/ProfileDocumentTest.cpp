// A whole INI file read and written as text, as the authoring tools do with product
// descriptions and the setup profiles they write.
#include "profile/ProfileDocument.h"

#include <gtest/gtest.h>

namespace {

std::string Lines(const CProfileSection& section) {
    std::string text;
    for (const CProfileLine& line : section.m_lines)
        text += line.m_strKey + "=" + line.m_strValue + ";";
    return text;
}

} // namespace

TEST(ProfileDocument, ReadsSectionsKeysAndValuesWithoutTheBlanksAroundThem) {
    CProfileDocument doc;
    doc.Parse("ignored=before any section\n"
              "; a comment\r\n"
              "  [ Disks ]  \r\n"
              "Size = 65536 \r\n"
              "no equals sign\n"
              "\tLabel=Disk %d|x = y\t\n"
              "  ;Size=1\n"
              "[Files:Main\n"
              "Member1=a.exe|0\n"
              "[disks]\n"
              "Size=2\n"
              "Key\r=value");
    ASSERT_EQ(2u, doc.Sections().size());
    EXPECT_EQ("Disks", doc.Sections()[0].m_strName);
    // A second section of the same name goes on with the first; the first line of a key wins.
    EXPECT_EQ("Size=65536;Label=Disk %d|x = y;Size=2;Key=value;", Lines(doc.Sections()[0]));
    EXPECT_EQ("65536", doc.Find("DISKS")->Get("size"));
    // A header without "]" names what follows the "[".
    ASSERT_NE(nullptr, doc.Find("Files:Main"));
    EXPECT_EQ("a.exe|0", doc.Find("files:main")->Get("MEMBER1"));
    EXPECT_EQ(nullptr, doc.Find("Files:Main "));
    EXPECT_EQ(nullptr, doc.Find("ignored"));
}

TEST(ProfileDocument, LookupsIgnoreCaseButNotBlanks) {
    CProfileSection section("groups");
    section.Append("Main", "Main files");
    EXPECT_TRUE(section.Has("MAIN"));
    EXPECT_FALSE(section.Has(" Main"));
    EXPECT_EQ("fallback", section.Get("Main ", "fallback"));
    EXPECT_TRUE(ProfileNamesEqual("Shift.EXE", "shift.exe"));
    EXPECT_FALSE(ProfileNamesEqual("shift.exe", "shift.exe "));
    EXPECT_FALSE(ProfileNamesEqual("\xC4", "\xE4")); // only ASCII letters fold
}

TEST(ProfileDocument, WritesCrLfLinesWithABlankLineBetweenSectionsAndReadsThemBack) {
    CProfileDocument doc;
    doc.Section("destinations").Append("0", "SHIFT");
    doc.Section("Main").Append("MAIN.1", "132000|1|4|1|0|Program files");
    doc.Section("DESTINATIONS").Append("1", "DATA|0|");
    doc.Section("empty");
    const std::string text = "[destinations]\r\n0=SHIFT\r\n1=DATA|0|\r\n"
                             "\r\n[Main]\r\nMAIN.1=132000|1|4|1|0|Program files\r\n"
                             "\r\n[empty]\r\n";
    EXPECT_EQ(text, doc.Format());
    CProfileDocument again;
    again.Parse(text);
    EXPECT_EQ(text, again.Format());
    EXPECT_EQ("", CProfileDocument().Format());
}
