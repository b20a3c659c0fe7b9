// The text rules of the system integration: command-line quoting, the "/-" switch split, the
// group-list split and the Program Manager command strings.
#include "system/CommandText.h"
#include "system/ProgmanCommands.h"

#include <gtest/gtest.h>

namespace {

TEST(CommandLineText, QuotesOnlyPathsWithBlanksOrTabs) {
    EXPECT_EQ(QuoteCommandPath("C:\\Program Files\\Shift\\shift.exe"),
              "\"C:\\Program Files\\Shift\\shift.exe\"");
    EXPECT_EQ(QuoteCommandPath("C:\\SHIFT\\shift.exe"), "C:\\SHIFT\\shift.exe");
    EXPECT_EQ(QuoteCommandPath("C:\\A\tB\\x.exe"), "\"C:\\A\tB\\x.exe\"");
    EXPECT_EQ(QuoteCommandPath("\"C:\\Already Quoted\\x.exe\""), "\"C:\\Already Quoted\\x.exe\"");
    EXPECT_EQ(MakeCommandLine("C:\\A B\\x.exe", "/s"), "\"C:\\A B\\x.exe\" /s");
    EXPECT_EQ(MakeCommandLine("C:\\AB\\x.exe", ""), "C:\\AB\\x.exe");
}

TEST(CommandLineText, SwitchSplitKeepsTheSwitchAndDropsTheBlank) {
    std::string program, arguments;
    SplitProgramAndSwitches("shift.exe /-setup", program, arguments);
    EXPECT_EQ(program, "shift.exe");
    EXPECT_EQ(arguments, "/-setup");

    SplitProgramAndSwitches("tools\\report.exe /-a /-b", program, arguments);
    EXPECT_EQ(program, "tools\\report.exe");
    EXPECT_EQ(arguments, "/-a /-b");

    SplitProgramAndSwitches("shift.exe /x", program, arguments);
    EXPECT_EQ(program, "shift.exe /x");
    EXPECT_EQ(arguments, "");

    // Written against the switch, the name keeps its last character.
    SplitProgramAndSwitches("shift.exe/-q", program, arguments);
    EXPECT_EQ(program, "shift.exe");
    EXPECT_EQ(arguments, "/-q");

    SplitProgramAndSwitches("/-q", program, arguments);
    EXPECT_EQ(program, "");
    EXPECT_EQ(arguments, "/-q");
}

TEST(CommandLineText, GroupListSplitsAtEveryLineBreak) {
    EXPECT_EQ(SplitAtLineBreaks("Accessories\r\nGames\r\n"),
              (std::vector<std::string>{"Accessories", "Games"}));
    EXPECT_EQ(SplitAtLineBreaks("\r\n\nMain\rStartUp"),
              (std::vector<std::string>{"Main", "StartUp"}));
    EXPECT_TRUE(SplitAtLineBreaks("").empty());
}

TEST(CommandLineText, PlainRelativeNamesStayInsideTheirFolder) {
    EXPECT_TRUE(IsPlainRelativeName("Shiftwell Help", false));
    EXPECT_TRUE(IsPlainRelativeName("Corvatek\\Shiftwell", true));
    EXPECT_FALSE(IsPlainRelativeName("Corvatek\\Shiftwell", false));
    EXPECT_FALSE(IsPlainRelativeName("..\\..\\Startup", true));
    EXPECT_FALSE(IsPlainRelativeName("C:\\Windows", true));
    EXPECT_FALSE(IsPlainRelativeName("\\Root", true));
    EXPECT_FALSE(IsPlainRelativeName("", true));
    EXPECT_FALSE(IsPlainRelativeName("   ", false));
    EXPECT_FALSE(IsPlainRelativeName("a*b", false));
    EXPECT_EQ(AsFolderText("C:\\A"), "C:\\A\\");
    EXPECT_EQ(AsFolderText("C:\\A\\"), "C:\\A\\");
    EXPECT_EQ(AsFolderText(""), "");
}

TEST(ProgmanCommandStrings, GroupAndItemCommandsAreExact) {
    std::string c;
    ASSERT_TRUE(MakeCreateGroupCommand(c, "Corvatek Shiftwell"));
    EXPECT_EQ(c, "[CreateGroup (\"Corvatek Shiftwell\")]");
    ASSERT_TRUE(MakeCreateGroupCommand(c, "Corvatek Shiftwell", "SHIFT.GRP"));
    EXPECT_EQ(c, "[CreateGroup (\"Corvatek Shiftwell\", \"SHIFT.GRP\")]");
    ASSERT_TRUE(MakeDeleteGroupCommand(c, "Corvatek Shiftwell"));
    EXPECT_EQ(c, "[DeleteGroup(\"Corvatek Shiftwell\")]");
    ASSERT_TRUE(MakeReplaceItemCommand(c, "Shiftwell"));
    EXPECT_EQ(c, "[ReplaceItem (Shiftwell)]");
    ASSERT_TRUE(MakeDeleteItemCommand(c, "Shiftwell Help"));
    EXPECT_EQ(c, "[DeleteItem (Shiftwell Help)]");
}

TEST(ProgmanCommandStrings, AddItemFillsNineFields) {
    std::string c;
    ASSERT_TRUE(MakeAddItemCommand(c, "\"C:\\Program Files\\S\\shift.exe\" /a", "Shiftwell",
                                   "C:\\S\\shift.ico", 2, 5, 0, "C:\\S", 65, true));
    EXPECT_EQ(c, "[AddItem (\"C:\\Program Files\\S\\shift.exe\" /a,\"Shiftwell\","
                 "C:\\S\\shift.ico,2,5,0,C:\\S,65,1)]");

    // No icon path: the command line again; no folder and hot key -1: empty fields.
    ASSERT_TRUE(MakeAddItemCommand(c, "C:\\S\\shift.exe", "Shiftwell", nullptr, 0, -1, 0, nullptr,
                                   -1, false));
    EXPECT_EQ(c, "[AddItem (C:\\S\\shift.exe,\"Shiftwell\",C:\\S\\shift.exe,0,-1,0,,,0)]");

    // An empty icon text is an empty field, not the command line.
    ASSERT_TRUE(MakeAddItemCommand(c, "C:\\S\\shift.exe", "S", "", 0, 5, 0, nullptr, -1, false));
    EXPECT_EQ(c, "[AddItem (C:\\S\\shift.exe,\"S\",,0,5,0,,,0)]");
}

TEST(ProgmanCommandStrings, LongCommandIsRefusedNotCut) {
    std::string c = "previous";
    const std::string fits(511 - std::string("[DeleteItem ()]").size(), 'x');
    ASSERT_TRUE(MakeDeleteItemCommand(c, fits));
    EXPECT_EQ(c.size(), 511u);
    c = "previous";
    EXPECT_FALSE(MakeDeleteItemCommand(c, fits + "x"));
    EXPECT_EQ(c, "previous");
    EXPECT_FALSE(
        MakeAddItemCommand(c, std::string(300, 'p'), "n", nullptr, 0, 0, 0, nullptr, -1, false));
}

TEST(ProgmanCommandStrings, ArgumentsThatWouldBreakTheCommandAreRefused) {
    std::string c;
    EXPECT_FALSE(MakeCreateGroupCommand(c, "Games\")][DeleteGroup(\"Main"));
    EXPECT_FALSE(MakeReplaceItemCommand(c, "x)][DeleteGroup(Main"));
    EXPECT_FALSE(MakeDeleteGroupCommand(c, "Line\r\nBreak"));
    EXPECT_FALSE(
        MakeAddItemCommand(c, "x.exe", "Say \"hi\"", nullptr, 0, 0, 0, nullptr, -1, false));
    // Double quotes are fine outside the quoted fields (a quoted program path).
    EXPECT_TRUE(MakeReplaceItemCommand(c, "Read me (first)"));
}

} // namespace
