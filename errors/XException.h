// The program's exception family. Each class maps its cause codes to a title and an
// explanation through a small table of string ids; framework exceptions are translated into
// the matching member when they are shown. Portable (the native tools print the titles).
#pragma once

#include "framework/Exception.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

struct ErrorTextEntry {
    int32_t cause;   // -1: any cause
    int32_t titleId; // string id, 0 = none
    int32_t explanationId;
};

// The shared error texts, filled by LoadErrorText() and read by the dialog that follows.
std::string& SharedErrorTitle();
std::string& SharedErrorExplanation();

class CXException : public CException {
public:
    CXException() : m_nCause(0) {}
    explicit CXException(int32_t cause) : m_nCause(cause) {}
    const char* GetRuntimeClassName() const override { return "CXException"; }

    // Empties the shared texts, then fills them through LookupErrorText().
    void LoadErrorText() const;
    // Fills the shared texts from this class's table, then from the base table.
    virtual void LookupErrorText() const;

    int32_t m_nCause;

protected:
    // Applies the first entry whose cause is -1 or m_nCause; never overwrites a text that
    // already holds something.
    void ApplyTable(const ErrorTextEntry* table, size_t count) const;
    void ApplyBaseTable() const;
};

// Declares a family member whose only difference is its name and table.
#define SHIFTWELL_DECLARE_XEXCEPTION(Name)                                                         \
    class Name : public CXException {                                                              \
    public:                                                                                        \
        Name() = default;                                                                          \
        explicit Name(int32_t cause) : CXException(cause) {}                                       \
        const char* GetRuntimeClassName() const override { return #Name; }                         \
        void LookupErrorText() const override;                                                     \
    }

SHIFTWELL_DECLARE_XEXCEPTION(CXMemoryException);
SHIFTWELL_DECLARE_XEXCEPTION(CXFileException);
SHIFTWELL_DECLARE_XEXCEPTION(CXArchiveException);
SHIFTWELL_DECLARE_XEXCEPTION(CXResourceException);
SHIFTWELL_DECLARE_XEXCEPTION(CXUserException);
SHIFTWELL_DECLARE_XEXCEPTION(CXNotSupportedException);

// A new family object for a framework exception (cause taken over where there is one).
std::unique_ptr<CXException> TranslateFrameworkException(const CException& e);

// The family member to show for any exception: e itself when it is one, else a translation
// kept in `holder`. Returns the object whose texts were loaded.
const CXException& LoadErrorTextFor(const CException& e, std::unique_ptr<CXException>& holder);

// "Title" of an exception as the tools print it: the shared title after LoadErrorText().
std::string ErrorTitleOf(const CException& e);
