#include "errors/XException.h"

#include <gtest/gtest.h>

namespace {
std::pair<std::string, std::string> TextsOf(const CException& e) {
    std::unique_ptr<CXException> holder;
    LoadErrorTextFor(e, holder);
    return {SharedErrorTitle(), SharedErrorExplanation()};
}
} // namespace

TEST(ErrorText, FileCausesPickTheirOwnRowBeforeTheGenericOne) {
    auto diskFull = TextsOf(CXFileException(13));
    EXPECT_EQ("Disk full", diskFull.first);
    EXPECT_EQ(0u, diskFull.second.find("There is not enough space on the specified drive"));

    auto invalid = TextsOf(CXFileException(6));
    EXPECT_EQ("Invalid file.", invalid.first);
    EXPECT_EQ("An error occurred with one of the files used in this operation.", invalid.second);

    for (int cause : {0, 1}) {
        auto generic = TextsOf(CXFileException(cause));
        EXPECT_EQ("File Error.", generic.first);
        EXPECT_EQ("An error occurred with one of the files used in this operation.",
                  generic.second);
    }
}

TEST(ErrorText, TrailingBlankOfInvalidPathIsKept) {
    EXPECT_EQ("The path specfied for accessing a file is invalid. ",
              TextsOf(CXFileException(3)).second);
}

TEST(ErrorText, FrameworkExceptionsAreTranslated) {
    std::unique_ptr<CXException> t = TranslateFrameworkException(CFileException(2));
    EXPECT_STREQ("CXFileException", t->GetRuntimeClassName());
    EXPECT_EQ(2, t->m_nCause);

    t = TranslateFrameworkException(CUserException());
    EXPECT_STREQ("CXUserException", t->GetRuntimeClassName());
    EXPECT_EQ(0, t->m_nCause);
    EXPECT_EQ("Operation cancelled.", TextsOf(CUserException()).first);
    EXPECT_EQ("You cancelled this operation.", TextsOf(CUserException()).second);

    t = TranslateFrameworkException(CArchiveException(CArchiveException::endOfFile));
    EXPECT_STREQ("CXArchiveException", t->GetRuntimeClassName());
    EXPECT_EQ(3, t->m_nCause);

    EXPECT_STREQ("CXMemoryException",
                 TranslateFrameworkException(CMemoryException())->GetRuntimeClassName());
    EXPECT_STREQ("CXNotSupportedException",
                 TranslateFrameworkException(CNotSupportedException())->GetRuntimeClassName());
    EXPECT_STREQ("CXResourceException",
                 TranslateFrameworkException(CResourceException())->GetRuntimeClassName());

    t = TranslateFrameworkException(CException());
    EXPECT_STREQ("CXException", t->GetRuntimeClassName());
    EXPECT_EQ(1, t->m_nCause);
    EXPECT_EQ("An unkown error occured.", TextsOf(CException()).first);
}

TEST(ErrorText, FamilyMembersKeepTheirOwnObject) {
    CXMemoryException mem;
    std::unique_ptr<CXException> holder;
    EXPECT_EQ(&mem, &LoadErrorTextFor(mem, holder));
    EXPECT_EQ(nullptr, holder);
    EXPECT_EQ("Not enough memory available.", SharedErrorTitle());
}

namespace {
const ErrorTextEntry kTitleOnly[] = {{5, 24590, 0}};
class CTitleOnlyException : public CXException {
public:
    explicit CTitleOnlyException(int cause) : CXException(cause) {}
    void LookupErrorText() const override {
        ApplyTable(kTitleOnly, 1);
        ApplyBaseTable();
    }
};
} // namespace

TEST(ErrorText, BaseTableFillsOnlyWhatTheOwnTableLeftEmpty) {
    auto own = TextsOf(CTitleOnlyException(5));
    EXPECT_EQ("File not found.", own.first);
    EXPECT_EQ(0u, own.second.find("The requested operation cannot be completed"));

    auto none = TextsOf(CTitleOnlyException(7));
    EXPECT_EQ("An unkown error occured.", none.first);
}

TEST(ErrorText, LoadErrorTextEmptiesTheSharedTextsFirst) {
    TextsOf(CXFileException(13));
    EXPECT_EQ("Invalid file.", TextsOf(CXFileException(6)).first);
}

TEST(ErrorText, OsErrorsMapToFileCauses) {
#ifdef _WIN32
    EXPECT_EQ(CFileException::fileNotFound, CFileException::OsErrorToCause(2));
    EXPECT_EQ(CFileException::diskFull, CFileException::OsErrorToCause(112));
    EXPECT_EQ(CFileException::sharingViolation, CFileException::OsErrorToCause(32));
#endif
    EXPECT_EQ(CFileException::fileNotFound, CFileException::ErrnoToCause(ENOENT));
    EXPECT_EQ(CFileException::diskFull, CFileException::ErrnoToCause(ENOSPC));
}
