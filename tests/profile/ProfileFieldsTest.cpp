#include "profile/ProfileFields.h"

#include <gtest/gtest.h>

TEST(ProfileFields, SplitsFieldsAtTheSeparatorWithoutTrimming) {
    std::string field;
    EXPECT_TRUE(GetProfileField(field, "SHIFT| -1 |C:\\SHIFT", 1));
    EXPECT_EQ(" -1 ", field);
    EXPECT_TRUE(GetProfileField(field, "SHIFT| -1 |C:\\SHIFT", 2));
    EXPECT_EQ("C:\\SHIFT", field);
    EXPECT_TRUE(GetProfileField(field, "a||c", 1));
    EXPECT_EQ("", field);
    // A value whose last field is empty still has that field.
    EXPECT_TRUE(GetProfileField(field, "1000|0|1|2|0|", 5));
    EXPECT_EQ("", field);
    EXPECT_TRUE(GetProfileField(field, "", 0));
    EXPECT_EQ("", field);
    EXPECT_TRUE(GetProfileField(field, "x;y", 1, ';'));
    EXPECT_EQ("y", field);
}

TEST(ProfileFields, FieldBeyondTheLastIsAbsentAndEmptied) {
    std::string field = "old";
    EXPECT_FALSE(GetProfileField(field, "a|b", 2));
    EXPECT_EQ("", field);
    field = "old";
    EXPECT_FALSE(GetProfileField(field, "a|b", -1));
    EXPECT_EQ("", field);
}

TEST(ProfileFields, NumbersFollowTheCLibraryConversion) {
    EXPECT_EQ(12, ParseDecimal("  12abc"));
    EXPECT_EQ(-7, ParseDecimal("\t-7"));
    EXPECT_EQ(5, ParseDecimal("+5"));
    EXPECT_EQ(0, ParseDecimal("x12"));
    EXPECT_EQ(0, ParseDecimal(""));
    EXPECT_EQ(0, ParseDecimal("- 3"));
    // Far too many digits wrap instead of overflowing (checked under the sanitizers).
    EXPECT_EQ(static_cast<int32_t>(4294967295u), ParseDecimal("4294967295"));
    ParseDecimal(std::string(500, '9'));
}

TEST(ProfileFields, ShortFieldNotANumberGivesZero) {
    int16_t number = 99;
    EXPECT_TRUE(GetProfileFieldShort(number, "SHIFT|abc|x", 1));
    EXPECT_EQ(0, number);
}

TEST(ProfileFields, ShortFieldBeyondTheLastLeavesOutputUnchanged) {
    int16_t number = 99;
    EXPECT_FALSE(GetProfileFieldShort(number, "SHIFT|3", 2));
    EXPECT_EQ(99, number);
    int32_t wide = 42;
    EXPECT_FALSE(GetProfileFieldInt(wide, "", 1));
    EXPECT_EQ(42, wide);
    int flag = 1;
    EXPECT_FALSE(GetProfileFieldBool(flag, "1", 1));
    EXPECT_EQ(1, flag);
}

TEST(ProfileFields, ShortFieldTruncatesTo16Bits) {
    int16_t number = 0;
    EXPECT_TRUE(GetProfileFieldShort(number, "70000", 0));
    EXPECT_EQ(4464, number);
    EXPECT_TRUE(GetProfileFieldShort(number, "65535", 0));
    EXPECT_EQ(-1, number);
    EXPECT_TRUE(GetProfileFieldShort(number, "-32768", 0));
    EXPECT_EQ(-32768, number);
    int32_t wide = 0;
    EXPECT_TRUE(GetProfileFieldInt(wide, "70000", 0));
    EXPECT_EQ(70000, wide);
}

TEST(ProfileFields, FlagIsSetForAnyNonZeroNumber) {
    int flag = 0;
    EXPECT_TRUE(GetProfileFieldBool(flag, "0|-2|yes", 1));
    EXPECT_EQ(1, flag);
    EXPECT_TRUE(GetProfileFieldBool(flag, "0|-2|yes", 2));
    EXPECT_EQ(0, flag);
}

TEST(ProfileFields, StrictNumbersTakeTheWholeTextWithinTheirRange) {
    long long value = 0;
    EXPECT_TRUE(ParseDecimalInRange(" -3", -32768, 32767, value));
    EXPECT_EQ(-3, value);
    EXPECT_TRUE(ParseDecimalInRange("+1457664", 4096, 1LL << 40, value));
    EXPECT_EQ(1457664, value);
    EXPECT_FALSE(ParseDecimalInRange("", -1, 1, value));
    EXPECT_FALSE(ParseDecimalInRange("12abc", 0, 100, value));
    EXPECT_FALSE(ParseDecimalInRange("12 ", 0, 100, value));
    EXPECT_FALSE(ParseDecimalInRange("32768", -32768, 32767, value));
    EXPECT_FALSE(ParseDecimalInRange("99999999999999999999", 0, INT64_MAX, value));
}

TEST(ProfileFields, SplitGivesEveryFieldUntrimmed) {
    EXPECT_EQ((std::vector<std::string>{"a", " b ", "", ""}), SplitProfileFields("a| b ||"));
    EXPECT_EQ((std::vector<std::string>{""}), SplitProfileFields(""));
    EXPECT_EQ((std::vector<std::string>{"x", "y"}), SplitProfileFields("x;y", ';'));
    EXPECT_EQ("b c", TrimBlanks(" \tb c\t "));
    EXPECT_EQ("", TrimBlanks(" \t"));
    EXPECT_EQ("\rx", TrimBlanks("\rx"));
}
