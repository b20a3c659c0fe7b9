#include "archive/ArchiveExceptions.h"

#include "res/StringIds.h"

#include <iterator>

namespace {

// No -1 entries: a cause outside the tables gets the family's generic texts.
const ErrorTextEntry kMultiFileTable[] = {
    {2, IDS_NOT_AN_ARCHIVE, IDS_NOT_AN_ARCHIVE_TEXT},
    {3, IDS_MISSING_ENTRY_HEADER, IDS_MISSING_ENTRY_HEADER_TEXT},
    {4, IDS_CORRUPT_TABLE, IDS_CORRUPT_TABLE_TEXT},
    {5, IDS_CRC_MISMATCH, IDS_CRC_MISMATCH_TEXT},
    {1, IDS_UNKNOWN_METHOD, IDS_UNKNOWN_METHOD_TEXT},
};

const ErrorTextEntry kZLibTable[] = {
    {1, IDS_ARCHIVE_DAMAGED, IDS_ARCHIVE_DAMAGED_TEXT},
    {2, IDS_ZLIB_STREAM_ERROR, IDS_ARCHIVE_DAMAGED_TEXT},
    {3, IDS_ZLIB_DATA_ERROR, IDS_ARCHIVE_DAMAGED_TEXT},
    {4, IDS_ZLIB_BUFFER_ERROR, IDS_ARCHIVE_DAMAGED_TEXT},
};

} // namespace

void CMultiFileException::LookupErrorText() const {
    ApplyTable(kMultiFileTable, std::size(kMultiFileTable));
    ApplyBaseTable();
}

void CZLibException::LookupErrorText() const {
    ApplyTable(kZLibTable, std::size(kZLibTable));
    ApplyBaseTable();
}
