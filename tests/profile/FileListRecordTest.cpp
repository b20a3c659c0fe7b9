// The file-list record: the text mkdisks writes and what setup reads back from it, including
// the values a hand-edited profile may hold.
#include "profile/FileListRecord.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <tuple>

namespace {

CFileListRecord Record(int32_t size, int32_t kind, int32_t files, int32_t diskette,
                       int32_t destination, const std::string& text) {
    CFileListRecord record;
    record.m_nSize = size;
    record.m_nKind = kind;
    record.m_nFileCount = files;
    record.m_nDiskette = diskette < 0 ? -diskette : diskette;
    record.m_bAfterUnmarked = diskette < 0 ? 1 : 0;
    record.m_nDestinationId = destination;
    record.m_strText = text;
    return record;
}

auto Fields(const CFileListRecord& r) {
    return std::make_tuple(r.m_nSize, r.m_nKind, r.m_nFileCount, r.m_nDiskette, r.m_bAfterUnmarked,
                           r.m_nDestinationId, r.m_strText);
}

CFileListRecord Parsed(const std::string& value) {
    CFileListRecord record;
    ParseFileListRecord(record, value);
    return record;
}

} // namespace

TEST(FileListRecord, WritesTheSixFieldsInDecimal) {
    EXPECT_EQ("132000|1|4|1|0|Program files",
              FormatFileListRecord(Record(132000, 1, 4, 1, 0, "Program files")));
    EXPECT_EQ("40000|0|1|2|-3|", FormatFileListRecord(Record(40000, 0, 1, 2, -3, "")));
    // A record after the unmarked ones of its diskette gives the number negated.
    EXPECT_EQ("5|0|1|-3|1|x", FormatFileListRecord(Record(5, 0, 1, -3, 1, "x")));
}

TEST(FileListRecord, ReadsBackWhatItWrites) {
    const CFileListRecord records[] = {
        Record(0, 0, 0, 0, 0, ""),
        Record(2147483647, 1, 32767, 99, 32767, "Corvatek Shiftwell program files"),
        Record(-5, 1, -2, -3, -1, "text"),
        Record(1000, 0, 1, -32768, -32768, " blanks stay "),
        Record(7, 2, 1, 1, -4, "a=b;c"),
    };
    for (const CFileListRecord& record : records) {
        std::string value = FormatFileListRecord(record);
        EXPECT_EQ(Fields(record), Fields(Parsed(value))) << value;
    }
}

TEST(FileListRecord, NumbersReadAsTheCLibraryWouldAndCutTo16Bits) {
    CFileListRecord record = Parsed(" 12abc|70000|65535|65533|x|t");
    EXPECT_EQ(12, record.m_nSize);
    EXPECT_EQ(4464, record.m_nKind);
    EXPECT_EQ(-1, record.m_nFileCount);
    // 65533 is -3 in 16 bits: diskette 3, after the unmarked ones.
    EXPECT_EQ(3, record.m_nDiskette);
    EXPECT_EQ(1, record.m_bAfterUnmarked);
    EXPECT_EQ(0, record.m_nDestinationId); // not a number
    EXPECT_EQ(-1, Parsed("4294967295").m_nSize);
    // -32768 negated does not fit 16 bits; the diskette number is still positive.
    record = Parsed("1|0|1|-32768|0|");
    EXPECT_EQ(32768, record.m_nDiskette);
    EXPECT_EQ(1, record.m_bAfterUnmarked);
    EXPECT_EQ(0, Parsed("1|0|1|-0|0|").m_bAfterUnmarked);
}

TEST(FileListRecord, MissingFieldsKeepTheirValuesButTheTextEmpties) {
    CFileListRecord record = Record(1, 1, 5, -6, 2, "old");
    ParseFileListRecord(record, "1000|0");
    EXPECT_EQ(Fields(Record(1000, 0, 5, -6, 2, "")), Fields(record));

    record = Record(1, 1, 5, 6, 2, "old");
    ParseFileListRecord(record, "");
    EXPECT_EQ(Fields(Record(0, 1, 5, 6, 2, "")), Fields(record)); // one empty field: size 0

    EXPECT_EQ(-1, Parsed("1000|0|1|2").m_nDestinationId); // the default: counted, not copied
    EXPECT_EQ(0, Parsed("1000|0|1|2|").m_nDestinationId); // an empty field is 0
}

TEST(FileListRecord, TextEndsAtTheNextSeparator) {
    // Written as given, read back only up to the "|".
    CFileListRecord record = Record(10, 0, 1, 1, 0, "Help|text");
    EXPECT_EQ("10|0|1|1|0|Help|text", FormatFileListRecord(record));
    EXPECT_EQ("Help", Parsed(FormatFileListRecord(record)).m_strText);
}
