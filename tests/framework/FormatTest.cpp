#include "framework/Format.h"

#include <gtest/gtest.h>

TEST(Format, LongResultsAreCutAtTheBuffer) {
    std::string big(2000, 'x');
    std::string out;
    FormatString(out, "%s-%d", big.c_str(), 5);
    EXPECT_EQ(kFormatBufferSize - 1, out.size());
    FormatString(out, "Please insert diskette %d in drive %s:", 2, "A");
    EXPECT_EQ("Please insert diskette 2 in drive A:", out);
}

TEST(Format, ResourceStringsFormatAndMissingOnesReportSo) {
    std::string out = "unchanged";
    EXPECT_FALSE(FormatResource(out, 65000));
    EXPECT_EQ("unchanged", out);
    EXPECT_EQ("Setup cannot continue", LoadResourceString(9));
    EXPECT_EQ("", LoadResourceString(65000));
}
