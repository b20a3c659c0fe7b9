// One record of a file-list section of the setup profile. Each file group has such a section;
// each key is a source file (an archive's first volume or a plain file) and its value is
//
//   size|kind|files|diskette|destination|text        for example 1000|0|1|2|0|Help text
//
// numbers in decimal: the expanded bytes of all its files, the kind (0 a plain file, 1 an
// archive), the number of files, the diskette (negated: after the unmarked records of that
// diskette), the destination id of a plain file and a descriptive text. mkdisks writes the
// value and setup reads it, both through this one definition. Portable; never throws except
// std::bad_alloc.
#pragma once

#include <cstdint>
#include <string>

struct CFileListRecord {
    int32_t m_nSize = 0;
    int32_t m_nKind = 0;
    int32_t m_nFileCount = 0;
    int32_t m_nDiskette = 0;      // never negative as read
    int32_t m_bAfterUnmarked = 0; // the value gives the diskette number negated
    int32_t m_nDestinationId = -1;
    std::string m_strText;
};

// The value of record. The text goes in as it is: a "|" in it ends the text that
// ParseFileListRecord reads back.
std::string FormatFileListRecord(const CFileListRecord& record);

// Reads the fields of value into record. A field that value does not have leaves its member
// as it was, except the text, which is then empty. The size is read as ParseDecimal reads it;
// the other numbers are cut to their low 16 bits and sign-extended (70000 gives 4464, 65535
// gives -1), so "-3" and "65533" both give diskette 3 after the unmarked ones. The text runs
// to the next "|".
void ParseFileListRecord(CFileListRecord& record, const std::string& value);
