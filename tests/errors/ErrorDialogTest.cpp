// The error dialog as the user sees it: message, title, explanation and error information,
// the buttons of ReportError and AskAfterError, folding, and the bounded message text.
#include "archive/ArchiveExceptions.h"
#include "errors/ErrorDialog.h"
#include "errors/XException.h"
#include "framework/Exception.h"
#include "framework/Format.h"

#include "GuiDriver.h"
#include "InProcess.h"

#include <gtest/gtest.h>

using namespace guidriver;

namespace {

// What the dialog showed, read while it was open.
struct Shown {
    std::string message, title, explanation, info, okText, cancelText, moreText;
    bool cancelVisible = false;
    bool explanationEnabledFolded = true;
    bool explanationEnabledUnfolded = false;
    LONG foldedHeight = 0, unfoldedHeight = 0;
};

// Reads the open dialog, unfolds it, reads again and presses `button`.
void ReadAndPress(Shown& shown, int button) {
    HWND dialog = WaitForWindow(OwnWindow("Warning", {119, 144, 152}));
    ASSERT_NE(dialog, nullptr);
    shown.message = GetControlText(dialog, 141);
    shown.title = GetControlText(dialog, 140);
    shown.explanation = GetControlText(dialog, 152);
    shown.info = GetControlText(dialog, 144);
    shown.okText = GetControlText(dialog, IDOK);
    shown.cancelText = GetControlText(dialog, IDCANCEL);
    shown.cancelVisible = IsControlVisible(dialog, IDCANCEL);
    shown.explanationEnabledFolded = IsControlEnabled(dialog, 152);
    RECT folded = GetRect(dialog);
    shown.foldedHeight = folded.bottom - folded.top;
    Click(dialog, 119);
    WaitUntil([&] { return GetControlText(dialog, 119) == "&More<<"; });
    shown.moreText = GetControlText(dialog, 119);
    shown.explanationEnabledUnfolded = IsControlEnabled(dialog, 152);
    RECT unfolded = GetRect(dialog);
    shown.unfoldedHeight = unfolded.bottom - unfolded.top;
    Click(dialog, button);
}

} // namespace

TEST(ErrorDialog, ReportErrorOpensFoldedWithOkAloneAndUnfoldsToTheCode) {
    Shown shown;
    RunWithScript([] { ReportError(9, CFileException(CFileException::fileNotFound)); },
                  [&] { ReadAndPress(shown, IDOK); });
    EXPECT_EQ(shown.message, "Setup cannot continue");
    EXPECT_EQ(shown.title, "File not found.");
    EXPECT_EQ(shown.explanation, LoadResourceString(24591));
    EXPECT_EQ(shown.info, "9.2 (CXFileException)");
    EXPECT_EQ(shown.okText, "OK");
    EXPECT_FALSE(shown.cancelVisible);
    EXPECT_FALSE(shown.explanationEnabledFolded);
    EXPECT_TRUE(shown.explanationEnabledUnfolded);
    EXPECT_EQ(shown.moreText, "&More<<");
    EXPECT_GT(shown.unfoldedHeight, shown.foldedHeight);
}

TEST(ErrorDialog, AskAfterErrorOffersContinueAndCancel) {
    for (int button : {IDOK, IDCANCEL}) {
        Shown shown;
        bool result = !(button == IDOK);
        RunWithScript([&] { result = AskAfterError(17, CUserException(), "DISK1.ARC"); },
                      [&] { ReadAndPress(shown, button); });
        EXPECT_EQ(result, button == IDOK);
        EXPECT_EQ(shown.message, "Cannot install files from 'DISK1.ARC':");
        EXPECT_EQ(shown.okText, "Continue Operation");
        EXPECT_EQ(shown.cancelText, "Cancel Operation");
        EXPECT_TRUE(shown.cancelVisible);
        EXPECT_EQ(shown.title, "Operation cancelled.");
        EXPECT_EQ(shown.explanation, "You cancelled this operation.");
        EXPECT_EQ(shown.info, "17.0 (CXUserException)");
    }
}

TEST(ErrorDialog, CauseMissingFromAFamilyTableShowsTheGenericTexts) {
    Shown shown;
    RunWithScript([] { ReportError(9, CMultiFileException(7)); },
                  [&] { ReadAndPress(shown, IDOK); });
    EXPECT_EQ(shown.title, "An unkown error occured.");
    EXPECT_EQ(shown.explanation, LoadResourceString(24577));
    EXPECT_EQ(shown.info, "9.7 (CMultiFileException)");
}

TEST(ErrorDialog, OtherExceptionsShowAsTheBaseClassWithCauseOne) {
    Shown shown;
    RunWithScript([] { ShowExceptionDialog(9, "text", CException(), false, kIconExclamation); },
                  [&] { ReadAndPress(shown, IDOK); });
    EXPECT_EQ(shown.message, "text");
    EXPECT_EQ(shown.info, "9.1 (CXException)");
}

TEST(ErrorMessage, IsCutToTheBufferAndEmptyForAMissingString) {
    std::string longName(2000, 'n');
    std::string message = FormatErrorMessage(17, longName.c_str());
    EXPECT_EQ(message.size(), kFormatBufferSize - 1);
    EXPECT_EQ(message.rfind("Cannot install files from 'nnn", 0), 0u);
    EXPECT_EQ(FormatErrorMessage(65000), "");
}

TEST(CreateScaledFont, ScalesPointsToTheDevicesPixelsPerInch) {
    CMemoryDC dc(nullptr);
    CFont font;
    ASSERT_TRUE(CreateScaledFont(font, dc, "Arial", 24, true, 1, 10));
    LOGFONTA lf{};
    ASSERT_NE(GetObjectA(font.Get(), sizeof lf, &lf), 0);
    EXPECT_EQ(lf.lfHeight, -MulDiv(24, GetDeviceCaps(dc, LOGPIXELSY), 72));
    EXPECT_EQ(lf.lfWidth, -MulDiv(10, GetDeviceCaps(dc, LOGPIXELSX), 72));
    EXPECT_EQ(lf.lfWeight, FW_BOLD);
    EXPECT_EQ(lf.lfItalic, 1);
    EXPECT_STREQ(lf.lfFaceName, "Arial");

    CFont plain;
    ASSERT_TRUE(CreateScaledFont(plain, nullptr, "Arial", 8, false, 0));
    ASSERT_NE(GetObjectA(plain.Get(), sizeof lf, &lf), 0);
    EXPECT_EQ(lf.lfWeight, FW_DONTCARE);
    EXPECT_EQ(lf.lfItalic, 0);
    EXPECT_LT(lf.lfHeight, 0);
}
