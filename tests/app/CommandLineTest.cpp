#include "app/CommandLine.h"

#include <gtest/gtest.h>

namespace {

std::string ValueOf(const CCommandLine& line, const char* key) {
    std::string value = "<absent>";
    line.GetSwitchValue(key, value);
    return value;
}

} // namespace

TEST(CommandLine, EmptyTextHasNoSwitches) {
    CCommandLine line("");
    EXPECT_TRUE(line.GetEntries().empty());
    CCommandLine blanks("    ");
    EXPECT_TRUE(blanks.GetEntries().empty());
}

TEST(CommandLine, SingleLetterSwitchesTakeTheRestOfTheWordAsValue) {
    CCommandLine line("/U /B /Xyz");
    EXPECT_TRUE(line.HasSwitch("U"));
    EXPECT_EQ(ValueOf(line, "U"), "");
    EXPECT_EQ(ValueOf(line, "B"), "");
    EXPECT_EQ(ValueOf(line, "X"), "yz");
    EXPECT_FALSE(line.HasSwitch("Xyz"));
}

TEST(CommandLine, WordWithColonIsANamedSwitchSplitAtTheFirstColon) {
    CCommandLine line("/D:C:\\APPS /PP:C:\\SETUP.EXE /DC:\\X");
    EXPECT_EQ(ValueOf(line, "D"), "C:\\APPS");
    EXPECT_EQ(ValueOf(line, "PP"), "C:\\SETUP.EXE");
    EXPECT_EQ(ValueOf(line, "DC"), "\\X");
    EXPECT_FALSE(line.HasSwitch("P"));
}

TEST(CommandLine, KeysAreCaseSensitive) {
    CCommandLine line("/u /b");
    EXPECT_FALSE(line.HasSwitch("U"));
    EXPECT_FALSE(line.HasSwitch("B"));
    EXPECT_TRUE(line.HasSwitch("u"));
}

TEST(CommandLine, RunsOfBlanksSeparateOnceAndQuotesMeanNothing) {
    CCommandLine line("  first   /I   \"two words\"  ");
    EXPECT_EQ(ValueOf(line, "#0"), "first");
    EXPECT_TRUE(line.HasSwitch("I"));
    EXPECT_EQ(ValueOf(line, "#1"), "\"two");
    EXPECT_EQ(ValueOf(line, "#2"), "words\"");
    EXPECT_EQ(line.GetEntries().size(), 4u);
}

TEST(CommandLine, LoneSwitchCharacterIsIgnored) {
    CCommandLine line("/ / x");
    EXPECT_EQ(line.GetEntries().size(), 1u);
    EXPECT_EQ(ValueOf(line, "#0"), "x");
}

TEST(CommandLine, LaterWordReplacesTheEarlierValue) {
    CCommandLine line("/D:A: /D:B:");
    EXPECT_EQ(ValueOf(line, "D"), "B:");
}

TEST(CommandLine, RemovalHelperLineSelectsOnlyUninstall) {
    CCommandLine line(" /U /PP:C:\\X\\SETUP.EXE");
    EXPECT_TRUE(line.HasSwitch("U"));
    EXPECT_FALSE(line.HasSwitch("B"));
    EXPECT_FALSE(line.HasSwitch("D"));
    EXPECT_FALSE(line.HasSwitch("I"));
}

TEST(CommandLine, AbsentSwitchGivesTheDefaultWhenOneIsGiven) {
    CCommandLine line("/U");
    std::string value = "unchanged";
    EXPECT_FALSE(line.GetSwitchValue("D", value));
    EXPECT_EQ(value, "unchanged");
    EXPECT_FALSE(line.GetSwitchValue("D", value, "fallback"));
    EXPECT_EQ(value, "fallback");
}

TEST(CommandLine, OtherSwitchCharacter) {
    CCommandLine line("-U /B", '-');
    EXPECT_TRUE(line.HasSwitch("U"));
    EXPECT_EQ(ValueOf(line, "#0"), "/B");
}
