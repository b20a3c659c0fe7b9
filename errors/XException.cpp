#include "errors/XException.h"

#include "framework/Format.h"
#include "res/StringIds.h"

#include <iterator>

namespace {

const ErrorTextEntry kBaseTable[] = {{-1, IDS_UNKNOWN_ERROR, IDS_UNKNOWN_ERROR_TEXT}};
const ErrorTextEntry kMemoryTable[] = {{-1, IDS_OUT_OF_MEMORY, IDS_OUT_OF_MEMORY_TEXT}};
// Specific causes first: the -1 entry ends the scan wherever it stands.
const ErrorTextEntry kFileTable[] = {
    {2, IDS_FILE_NOT_FOUND, IDS_FILE_NOT_FOUND_TEXT},
    {3, IDS_BAD_PATH, IDS_BAD_PATH_TEXT},
    {4, IDS_TOO_MANY_OPEN_FILES, IDS_TOO_MANY_OPEN_FILES_TEXT},
    {5, IDS_ACCESS_DENIED, IDS_ACCESS_DENIED_TEXT},
    {6, IDS_INVALID_FILE, IDS_FILE_ERROR_TEXT},
    {7, IDS_REMOVE_CURRENT_DIR, IDS_FILE_ERROR_TEXT},
    {8, IDS_DIRECTORY_FULL, IDS_DIRECTORY_FULL_TEXT},
    {9, IDS_BAD_SEEK, IDS_FILE_ERROR_TEXT},
    {10, IDS_HARDWARE_ERROR, IDS_HARDWARE_ERROR_TEXT},
    {11, IDS_SHARING_VIOLATION, IDS_SHARING_VIOLATION_TEXT},
    {12, IDS_LOCK_VIOLATION, IDS_LOCK_VIOLATION_TEXT},
    {13, IDS_DISK_FULL, IDS_DISK_FULL_TEXT},
    {14, IDS_END_OF_FILE, IDS_FILE_ERROR_TEXT},
    {-1, IDS_FILE_ERROR, IDS_FILE_ERROR_TEXT},
};
const ErrorTextEntry kArchiveTable[] = {{-1, IDS_ARCHIVE_ERROR, IDS_ARCHIVE_ERROR_TEXT}};
const ErrorTextEntry kResourceTable[] = {{-1, IDS_RESOURCE_ERROR, IDS_RESOURCE_ERROR_TEXT}};
const ErrorTextEntry kUserTable[] = {{-1, IDS_USER_CANCELLED, IDS_USER_CANCELLED_TEXT}};
const ErrorTextEntry kNotSupportedTable[] = {{-1, IDS_NOT_SUPPORTED, IDS_NOT_SUPPORTED_TEXT}};

} // namespace

std::string& SharedErrorTitle() {
    static std::string title;
    return title;
}

std::string& SharedErrorExplanation() {
    static std::string explanation;
    return explanation;
}

void CXException::LoadErrorText() const {
    SharedErrorTitle().clear();
    SharedErrorExplanation().clear();
    LookupErrorText();
}

void CXException::LookupErrorText() const {
    ApplyBaseTable();
}

void CXException::ApplyTable(const ErrorTextEntry* table, size_t count) const {
    for (size_t i = 0; i < count; ++i) {
        const ErrorTextEntry& entry = table[i];
        if (entry.cause != -1 && entry.cause != m_nCause)
            continue;
        if (entry.titleId != 0 && SharedErrorTitle().empty())
            SharedErrorTitle() = LoadResourceString(static_cast<unsigned>(entry.titleId));
        if (entry.explanationId != 0 && SharedErrorExplanation().empty())
            SharedErrorExplanation() =
                LoadResourceString(static_cast<unsigned>(entry.explanationId));
        return;
    }
}

void CXException::ApplyBaseTable() const {
    ApplyTable(kBaseTable, std::size(kBaseTable));
}

#define SHIFTWELL_DEFINE_LOOKUP(Name, table)                                                       \
    void Name::LookupErrorText() const {                                                           \
        ApplyTable(table, std::size(table));                                                       \
        ApplyBaseTable();                                                                          \
    }

SHIFTWELL_DEFINE_LOOKUP(CXMemoryException, kMemoryTable)
SHIFTWELL_DEFINE_LOOKUP(CXFileException, kFileTable)
SHIFTWELL_DEFINE_LOOKUP(CXArchiveException, kArchiveTable)
SHIFTWELL_DEFINE_LOOKUP(CXResourceException, kResourceTable)
SHIFTWELL_DEFINE_LOOKUP(CXUserException, kUserTable)
SHIFTWELL_DEFINE_LOOKUP(CXNotSupportedException, kNotSupportedTable)

std::unique_ptr<CXException> TranslateFrameworkException(const CException& e) {
    if (dynamic_cast<const CMemoryException*>(&e))
        return std::make_unique<CXMemoryException>(0);
    if (auto* file = dynamic_cast<const CFileException*>(&e))
        return std::make_unique<CXFileException>(file->m_cause);
    if (auto* archive = dynamic_cast<const CArchiveException*>(&e))
        return std::make_unique<CXArchiveException>(archive->m_cause);
    if (dynamic_cast<const CNotSupportedException*>(&e))
        return std::make_unique<CXNotSupportedException>(0);
    if (dynamic_cast<const CResourceException*>(&e))
        return std::make_unique<CXResourceException>(0);
    if (dynamic_cast<const CUserException*>(&e))
        return std::make_unique<CXUserException>(0);
    return std::make_unique<CXException>(1);
}

const CXException& LoadErrorTextFor(const CException& e, std::unique_ptr<CXException>& holder) {
    const CXException* x = dynamic_cast<const CXException*>(&e);
    if (!x) {
        holder = TranslateFrameworkException(e);
        x = holder.get();
    }
    x->LoadErrorText();
    return *x;
}

std::string ErrorTitleOf(const CException& e) {
    std::unique_ptr<CXException> holder;
    LoadErrorTextFor(e, holder);
    return SharedErrorTitle();
}
