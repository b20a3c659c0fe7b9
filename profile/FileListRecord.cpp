#include "profile/FileListRecord.h"

#include "profile/ProfileFields.h"

#include <cstdlib>
#include <initializer_list>

std::string FormatFileListRecord(const CFileListRecord& record) {
    // 64 bits: no number negated here can overflow.
    const int64_t diskette =
        record.m_bAfterUnmarked ? -int64_t{record.m_nDiskette} : int64_t{record.m_nDiskette};
    std::string value;
    for (int64_t number :
         {int64_t{record.m_nSize}, int64_t{record.m_nKind}, int64_t{record.m_nFileCount}, diskette,
          int64_t{record.m_nDestinationId}}) {
        value += std::to_string(number);
        value += kFieldSeparator;
    }
    return value + record.m_strText;
}

void ParseFileListRecord(CFileListRecord& record, const std::string& value) {
    int16_t number = 0;
    GetProfileFieldInt(record.m_nSize, value, 0);
    if (GetProfileFieldShort(number, value, 1))
        record.m_nKind = number;
    if (GetProfileFieldShort(number, value, 2))
        record.m_nFileCount = number;
    if (GetProfileFieldShort(number, value, 3)) {
        record.m_nDiskette = std::abs(static_cast<int32_t>(number));
        record.m_bAfterUnmarked = number < 0 ? 1 : 0;
    }
    if (GetProfileFieldShort(number, value, 4))
        record.m_nDestinationId = number;
    GetProfileField(record.m_strText, value, 5);
}
