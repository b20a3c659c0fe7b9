// The archive's members of the exception family: CMultiFileException for the container
// (causes below) and CZLibException for errors of the deflate stream. Thrown by value.
#pragma once

#include "errors/XException.h"

SHIFTWELL_DECLARE_XEXCEPTION(CMultiFileException);
SHIFTWELL_DECLARE_XEXCEPTION(CZLibException);

// CMultiFileException causes.
enum MultiFileCause : int32_t {
    kMultiFileUnknownMethod = 1,
    kMultiFileNotArchive = 2,
    kMultiFileMissingEntryHeader = 3,
    kMultiFileCorruptTable = 4, // part of the vocabulary; nothing raises it
    kMultiFileChecksumMismatch = 5,
};

// CZLibException causes.
enum ZLibCause : int32_t {
    kZLibUnknownError = 1,
    kZLibStreamError = 2,
    kZLibDataError = 3,
    kZLibBufferError = 4,
};
