#include "errors/XException.h"

#include "framework/Format.h"

#include <iterator>

namespace {

const ErrorTextEntry kBaseTable[] = {{-1, 24576, 24577}};
const ErrorTextEntry kMemoryTable[] = {{-1, 24578, 24579}};
// Specific causes first: the -1 entry ends the scan wherever it stands.
const ErrorTextEntry kFileTable[] = {
    {2, 24590, 24591},  {3, 24592, 24593},  {4, 24594, 24595},  {5, 24596, 24597},
    {6, 24598, 24581},  {7, 24599, 24581},  {8, 24600, 24601},  {9, 24602, 24581},
    {10, 24603, 24604}, {11, 24605, 24606}, {12, 24607, 24608}, {13, 24609, 24610},
    {14, 24611, 24581}, {-1, 24580, 24581},
};
const ErrorTextEntry kArchiveTable[] = {{-1, 24582, 24583}};
const ErrorTextEntry kResourceTable[] = {{-1, 24584, 24585}};
const ErrorTextEntry kUserTable[] = {{-1, 24586, 24587}};
const ErrorTextEntry kNotSupportedTable[] = {{-1, 24588, 24589}};

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
