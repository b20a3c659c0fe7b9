// The copy page's gauge and texts, and the Insert Diskette dialog operated in-process: what
// the user sees for a range and a position, and what OK does with the folder typed.
#include "InProcess.h"
#include "TestFiles.h"

#include "framework/ui/Gdi.h"
#include "transfer/CopyPage.h"
#include "transfer/GaugeCtrl.h"
#include "transfer/InsertDisketteDialog.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>

using namespace guidriver;

namespace {

TEST(Gauge, PaintsThePercentageOfItsRange) {
    EXPECT_EQ(0, CGaugeCtrl::PaintedPercent(1, 1000, 1));
    EXPECT_EQ(50, CGaugeCtrl::PaintedPercent(0, 100, 50));
    EXPECT_EQ(100, CGaugeCtrl::PaintedPercent(1, 1000, 1000));
    // Nothing to copy: minimum 1, maximum 0, the position raised to 1.
    EXPECT_EQ(0, CGaugeCtrl::PaintedPercent(1, 0, 1));
    EXPECT_EQ(-1, CGaugeCtrl::PaintedPercent(5, 5, 5)); // nothing painted
}

TEST(Gauge, LargeRangesKeepTheirPercentage) {
    const uint32_t total = 3000000000u; // above 1000000: scaled down by 1000
    for (uint32_t position : {1u, 750000000u, 1500000000u, 2999999999u, total}) {
        int exact = static_cast<int>((uint64_t(position) - 1) * 100 / (total - 1));
        int painted = CGaugeCtrl::PaintedPercent(1, total, position);
        EXPECT_LE(std::abs(painted - exact), 1) << position;
    }
}

TEST(Gauge, PositionStaysInsideTheRange) {
    CGaugeCtrl gauge(0, 99, 0);
    gauge.SetRange(1, 500);
    gauge.SetPos(0, false);
    EXPECT_EQ(1u, gauge.m_nPosition);
    gauge.SetPos(900, false);
    EXPECT_EQ(500u, gauge.m_nPosition);
    gauge.SetRange(1, 0);
    gauge.SetPos(0, false);
    EXPECT_EQ(1u, gauge.m_nPosition);
}

TEST(CopyPageText, PercentWrittenOfAMember) {
    EXPECT_EQ(100, CCopyPage::PercentWritten(0, 0)); // an empty member is complete
    EXPECT_EQ(0, CCopyPage::PercentWritten(0, 4096));
    EXPECT_EQ(50, CCopyPage::PercentWritten(2048, 4096));
    EXPECT_EQ(100, CCopyPage::PercentWritten(5000, 4096));
    // A member of 3 GB: no wrap-around in the arithmetic.
    EXPECT_EQ(66, CCopyPage::PercentWritten(2000000000u, 3000000000u));
}

TEST(InsertDiskette, RequestLineNamesTheLabelOrTheNumber) {
    EXPECT_EQ("Please insert the diskette labelled 'Disk 2' in drive A:",
              CInsertDisketteDialog::RequestLine("Disk 2", 2, "A"));
    EXPECT_EQ("Please insert diskette 3 in drive A:",
              CInsertDisketteDialog::RequestLine("", 3, "A"));
}

class InsertDisketteDialog : public ::testing::Test {
protected:
    InsertDisketteDialog() {
        CreateDirectoryA((m_folder + "\\ALT").c_str(), nullptr);
        WriteFileBytes(m_folder + "\\ALT\\SHIFT.2", "");
    }
    CScratchFolder m_scratch;
    // The scratch folder without its trailing backslash.
    const std::string m_folder = m_scratch.Folder().substr(0, m_scratch.Folder().size() - 1);
};

TEST_F(InsertDisketteDialog, OkWaitsForTheFileAndTakesTheFolderTyped) {
    CSetupPath missing(m_folder + "\\DISK01\\SHIFT.2");
    CInsertDisketteDialog dialog(nullptr, missing, 2, "", "C");
    INT_PTR result = 0;
    std::string shownFolder, request;
    bool stayedOpen = false, editVisible = false;
    RunWithScript([&] { result = dialog.DoModal(); },
                  [&] {
                      HWND wnd = WaitForWindow(OwnWindow("Insert Diskette", {1001, 1026}));
                      if (!wnd)
                          return;
                      request = GetControlText(wnd, 1026);
                      shownFolder = GetControlText(wnd, 1001);
                      editVisible = IsControlVisible(wnd, 1001) && IsControlEnabled(wnd, 1001);
                      Click(wnd, IDOK); // the diskette is still missing
                      Sleep(300);
                      stayedOpen = IsWindow(wnd) && IsWindowVisible(wnd);
                      SendMessageA(FindControl(wnd, 1001), WM_SETTEXT, 0,
                                   reinterpret_cast<LPARAM>((m_folder + "\\ALT").c_str()));
                      Click(wnd, IDOK);
                  });
    EXPECT_EQ("Please insert diskette 2 in drive C:", request);
    EXPECT_EQ(m_folder + "\\DISK01\\", shownFolder);
    EXPECT_TRUE(editVisible);
    EXPECT_TRUE(stayedOpen);
    EXPECT_EQ(IDOK, result);
    EXPECT_EQ(m_folder + "\\ALT", dialog.m_strFolder);
}

// The explanation names the missing file by its full path: all of its lines must show, in
// the face the template asks for (a stand-in face wraps differently than the layout assumes).
TEST(InsertDisketteLayout, ExplanationShowsWholeInTheTemplateFont) {
    const std::string missing = "C:\\SHIFTSET\\DISK01\\SHIFT.2";
    CInsertDisketteDialog dialog(nullptr, CSetupPath(missing), 2, "Disk 2", "C");
    std::string face, text;
    RECT box{}, needed{};
    RunWithScript([&] { dialog.DoModal(); },
                  [&] {
                      HWND wnd = WaitForWindow(OwnWindow("Insert Diskette", {1033}));
                      if (!wnd)
                          return;
                      HWND explanation = FindControl(wnd, 1033);
                      text = GetControlText(wnd, 1033);
                      GetClientRect(explanation, &box);
                      CClientDC dc(explanation);
                      CSelectObject font(dc, reinterpret_cast<HGDIOBJ>(
                                                 SendMessageA(explanation, WM_GETFONT, 0, 0)));
                      char name[LF_FACESIZE] = {};
                      GetTextFaceA(dc, LF_FACESIZE, name);
                      face = name;
                      needed = {0, 0, box.right, 0};
                      DrawTextA(dc, text.c_str(), -1, &needed,
                                DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX);
                      Click(wnd, IDCANCEL);
                  });
    EXPECT_NE(std::string::npos, text.find(missing));
    EXPECT_EQ("MS Sans Serif", face);
    EXPECT_LE(needed.bottom, box.bottom) << text;
}

TEST_F(InsertDisketteDialog, CancelEndsWithCancel) {
    CInsertDisketteDialog dialog(nullptr, CSetupPath(m_folder + "\\SHIFT.2"), 2, "Disk 2", "C");
    INT_PTR result = 0;
    RunWithScript([&] { result = dialog.DoModal(); },
                  [&] {
                      if (HWND wnd = WaitForWindow(OwnWindow("Insert Diskette", {1001})))
                          Click(wnd, IDCANCEL);
                  });
    EXPECT_EQ(IDCANCEL, result);
}

} // namespace
