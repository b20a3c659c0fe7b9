// The wizard framework under Wine: navigation with passed-over pages, Cancel, automatic
// work, unattended mode, the button bar's layout, the expanding dialog, the message pump and
// the background window. Pages are test pages on the program's real templates.
#include "app/ButtonBar.h"
#include "app/DialogUtil.h"
#include "app/ExpandingDialog.h"
#include "app/Gradient.h"
#include "app/MainWnd.h"
#include "app/PageIds.h"
#include "app/SetupApp.h"
#include "app/Wizard.h"
#include "app/WizardPage.h"
#include "framework/Exception.h"
#include "framework/Format.h"
#include "framework/ui/Gdi.h"
#include "res/StringIds.h"

#include "GuiDriver.h"
#include "InProcess.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>

using namespace guidriver;

namespace {

struct PageScript {
    bool show = true;
    int runResult = 0;
    bool throwFileNotFound = false;
    bool confirmAnswer = true;
    int confirmCalls = 0;
    int runCalls = 0;
    RECT rectAtRun{-1, -1, -1, -1}; // the page's window when its work ran
    bool barAtRun = false;          // the page had a button bar when its work ran
    bool activeAtRun = false;       // the page was the active window when its work ran
};

struct ChainLink {
    int next;
    bool bar;
};

std::map<int, ChainLink> g_chain;
std::map<int, PageScript> g_scripts;

class CTestPage : public CWizardPage {
public:
    CTestPage(int id, const ChainLink& link) : CWizardPage(id, link.next), m_script(g_scripts[id]) {
        m_nButtonBarId = link.bar ? kButtonBarTemplate : 0;
    }
    bool ShouldShow() override { return m_script.show; }
    int RunPage() override {
        ++m_script.runCalls;
        m_script.rectAtRun = GetWindowRect();
        m_script.barAtRun = m_pButtonBar != nullptr;
        m_script.activeAtRun = GetActiveWindow() == m_hWnd;
        if (m_script.throwFileNotFound)
            throw CFileException(CFileException::fileNotFound);
        return m_script.runResult;
    }
    bool ConfirmCancel() override {
        ++m_script.confirmCalls;
        return m_script.confirmAnswer;
    }

private:
    PageScript& m_script;
};

CWizardPage* TestFactory(int id) {
    auto it = g_chain.find(id);
    return it == g_chain.end() ? nullptr : new CTestPage(id, it->second);
}

// Removes what is queued, the quit request of a destroyed main window included.
void DrainQueue() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message != WM_QUIT)
            DispatchMessageA(&msg);
    }
}

// Runs queued messages (the pages' automatic work) a few rounds.
void RunQueued() {
    for (int i = 0; i < 5; ++i)
        PumpMessages();
}

class Wizard : public ::testing::Test {
protected:
    void SetUp() override {
        g_chain.clear();
        g_scripts.clear();
        m_app = std::make_unique<CSetupApp>();
        m_app->CreateModel();
        m_app->LoadProductStrings();
        m_app->CreatePaths();
        m_main = new CMainWnd;
        ASSERT_TRUE(m_main->Create());
        m_app->m_pMainWnd = m_main;
        SetPageFactory(TestFactory);
    }

    void TearDown() override {
        DestroyAllPages();
        if (m_app->m_pMainWnd)
            m_app->m_pMainWnd->DestroyWindow();
        DrainQueue();
        SetPageFactory(nullptr);
        m_app.reset();
    }

    CWizardPage* Page(int id) { return FindPage(id); }
    bool Visible(int id) { return Page(id) && Page(id)->m_hWnd && Page(id)->IsWindowVisible(); }

    std::unique_ptr<CSetupApp> m_app;
    CMainWnd* m_main = nullptr;
};

} // namespace

TEST_F(Wizard, PassedOverPagesAreCreatedButNeverShown) {
    g_chain = {{102, {114, true}}, {114, {1537, false}}, {1537, {104, true}}, {104, {-1, true}}};
    g_scripts[114].show = false;
    g_scripts[1537].show = false;

    GoToPage(102, kForward);
    ASSERT_EQ(GetCurrentPage(), Page(102));
    EXPECT_TRUE(Visible(102));
    EXPECT_EQ(GetActiveWindow(), Page(102)->m_hWnd); // ready for the keyboard
    EXPECT_EQ(Page(102)->GetOwner(), m_main->m_hWnd);

    Page(102)->GoNext();
    ASSERT_EQ(GetCurrentPage(), Page(104));
    EXPECT_TRUE(Visible(104));
    EXPECT_FALSE(Visible(102));
    EXPECT_EQ(Page(102)->m_bLeft, 1);
    ASSERT_NE(Page(114), nullptr);
    ASSERT_NE(Page(1537), nullptr);
    EXPECT_EQ(Page(114)->m_hWnd, nullptr);
    EXPECT_EQ(Page(1537)->m_hWnd, nullptr);
    // Back returns to the page from which 104 was first reached; skipped pages are no target.
    EXPECT_EQ(Page(104)->m_nBackId, 102);
    EXPECT_EQ(Page(114)->m_nBackId, 0);

    Page(104)->GoBack();
    EXPECT_EQ(GetCurrentPage(), Page(102));
    EXPECT_TRUE(Visible(102));
    EXPECT_FALSE(Visible(104));
}

TEST_F(Wizard, BackwardTravelPassesOverWithTheBackIds) {
    g_chain = {{102, {114, true}}, {114, {104, false}}, {104, {-1, true}}};
    GoToPage(102, kForward);
    Page(102)->GoNext();
    ASSERT_EQ(GetCurrentPage(), Page(114));
    Page(114)->GoNext();
    ASSERT_EQ(GetCurrentPage(), Page(104));
    EXPECT_EQ(Page(104)->m_nBackId, 114);

    g_scripts[114].show = false; // like the reading page once it has been left
    Page(104)->GoBack();
    EXPECT_EQ(GetCurrentPage(), Page(102));
    EXPECT_TRUE(Visible(102));
    EXPECT_FALSE(Visible(114));

    // Forward again: 114 is passed over towards its next id; 104 keeps its back id.
    Page(102)->GoNext();
    EXPECT_EQ(GetCurrentPage(), Page(104));
    EXPECT_EQ(Page(104)->m_nBackId, 114);
}

TEST_F(Wizard, IdsWithoutAPageLeaveTheWizardWhereItIs) {
    g_chain = {{102, {4242, true}}};
    GoToPage(102, kForward);
    Page(102)->GoNext();
    EXPECT_EQ(GetCurrentPage(), Page(102));
    EXPECT_TRUE(Visible(102));
    GoToPage(0, kBackward);
    EXPECT_EQ(GetCurrentPage(), Page(102));

    // A circle of passed-over pages ends too.
    g_chain = {{102, {114, true}}, {114, {104, false}}, {104, {114, true}}};
    DestroyAllPages();
    g_scripts[114].show = false;
    g_scripts[104].show = false;
    GoToPage(102, kForward);
    Page(102)->GoNext();
    EXPECT_EQ(GetCurrentPage(), Page(102));
}

TEST_F(Wizard, CancelOnALastPageFinishesWithoutAsking) {
    g_chain = {{116, {-1, false}}};
    GoToPage(116, kForward);
    ASSERT_TRUE(Visible(116));
    Page(116)->OnCancel();
    EXPECT_EQ(g_scripts[116].confirmCalls, 0);
    EXPECT_EQ(m_app->m_pMainWnd, nullptr); // the background window is gone: setup ends
    EXPECT_EQ(m_app->m_bSucceeded, 1);
}

TEST_F(Wizard, CancelAnsweredNoChangesNothingAndYesLeadsToTheFailedPage) {
    g_chain = {{102, {104, true}}, {104, {-1, true}}, {116, {-1, false}}};
    GoToPage(102, kForward);
    g_scripts[102].confirmAnswer = false;
    Page(102)->OnCancel();
    EXPECT_EQ(g_scripts[102].confirmCalls, 1);
    EXPECT_EQ(Page(102)->m_nNextId, 104);
    EXPECT_EQ(m_app->m_bSucceeded, 1);
    EXPECT_EQ(GetCurrentPage(), Page(102));
    EXPECT_TRUE(Visible(102));

    g_scripts[102].confirmAnswer = true;
    Page(102)->OnCancel();
    EXPECT_EQ(Page(102)->m_nNextId, kFailedPageId);
    EXPECT_EQ(m_app->m_bSucceeded, 0);
    EXPECT_EQ(GetCurrentPage(), Page(116));
    EXPECT_TRUE(Visible(116));
    EXPECT_FALSE(Visible(102));
}

TEST_F(Wizard, CancelQuestionIsStringFiveWithYesAndNo) {
    CWizardPage* page = nullptr;
    g_chain.clear();
    page = new CWizardPage(102, 104); // the base class asks
    GoToPage(102, kForward);
    std::string text;
    RunWithScript([&] { page->OnCancel(); },
                  [&] {
                      HWND box = WaitForWindow(OwnWindow(m_app->m_strSetupTitle, {IDYES, IDNO}));
                      ASSERT_NE(box, nullptr);
                      text = GetStaticTexts(box);
                      Click(box, IDNO);
                  });
    EXPECT_NE(text.find(LoadResourceString(IDS_CANCEL_QUESTION)), std::string::npos) << text;
    EXPECT_EQ(page->m_nNextId, 104);
    EXPECT_EQ(m_app->m_bSucceeded, 1);
}

TEST_F(Wizard, AutomaticWorkMovesOnOnceAndBackDoesNotRepeatIt) {
    g_chain = {{102, {104, true}}, {104, {-1, true}}};
    g_scripts[102].runResult = 104;
    GoToPage(102, kForward);
    RunQueued();
    EXPECT_EQ(g_scripts[102].runCalls, 1);
    EXPECT_EQ(GetCurrentPage(), Page(104));
    EXPECT_EQ(g_scripts[104].runCalls, 1); // returned 0: the page waits
    EXPECT_EQ(GetCurrentPage(), Page(104));

    Page(104)->GoBack();
    RunQueued();
    EXPECT_EQ(GetCurrentPage(), Page(102));
    EXPECT_EQ(g_scripts[102].runCalls, 1);
}

TEST_F(Wizard, FailedAutomaticWorkIsReportedAndLeadsToTheFailedPage) {
    g_chain = {{102, {104, true}}, {104, {-1, true}}, {116, {-1, false}}};
    g_scripts[102].throwFileNotFound = true;
    std::string info, title, message;
    bool cancelVisible = true;
    RunWithScript(
        [&] {
            GoToPage(102, kForward);
            RunQueued();
        },
        [&] {
            HWND dialog = WaitForWindow(OwnWindow("Warning", {119, 144}));
            ASSERT_NE(dialog, nullptr);
            info = GetControlText(dialog, 144);
            title = GetControlText(dialog, 140);
            message = GetControlText(dialog, 141);
            cancelVisible = IsControlVisible(dialog, IDCANCEL);
            Click(dialog, IDOK);
        });
    EXPECT_EQ(info, "9.2 (CXFileException)");
    EXPECT_EQ(title, "File not found.");
    EXPECT_EQ(message, "Setup cannot continue");
    EXPECT_FALSE(cancelVisible);
    EXPECT_EQ(m_app->m_bSucceeded, 0);
    EXPECT_EQ(Page(102)->m_nNextId, kFailedPageId);
    EXPECT_EQ(GetCurrentPage(), Page(116));
}

// Unattended, nobody sees a page or presses its buttons: the pages get no button bar and
// never take the activation (and with it the keyboard) from whatever window has it.
TEST_F(Wizard, UnattendedPagesAreInvisibleAndAdvanceByThemselves) {
    m_app->m_bBatch = 1;
    g_chain = {{102, {104, true}}, {104, {116, true}}, {116, {-1, false}}};
    HWND active = GetActiveWindow();
    GoToPage(102, kForward);
    EXPECT_EQ(GetActiveWindow(), active);
    RunQueued();
    for (int id : {102, 104, 116}) {
        const PageScript& script = g_scripts[id];
        EXPECT_EQ(script.runCalls, 1) << id;
        EXPECT_EQ(script.rectAtRun.right - script.rectAtRun.left, 0) << id;
        EXPECT_EQ(script.rectAtRun.bottom - script.rectAtRun.top, 0) << id;
        EXPECT_FALSE(script.barAtRun) << id;
        EXPECT_FALSE(script.activeAtRun) << id;
    }
    EXPECT_EQ(m_app->m_pMainWnd, nullptr); // the last page finished setup by itself
    EXPECT_EQ(m_app->m_bSucceeded, 1);
}

namespace {

SIZE TemplateWindowSize(HWND dialog, int widthDu, int heightDu) {
    RECT r{0, 0, widthDu, heightDu};
    MapDialogRect(dialog, &r);
    AdjustWindowRectEx(&r, static_cast<DWORD>(GetWindowLongA(dialog, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongA(dialog, GWL_EXSTYLE)));
    return SIZE{r.right - r.left, r.bottom - r.top};
}

} // namespace

TEST_F(Wizard, ButtonBarLengthensEveryPageAndWidensNarrowOnes) {
    g_chain = {{102, {1537, true}}, {1537, {-1, true}}};
    for (auto [id, widthDu, heightDu] : {std::tuple{102, 295, 161}, std::tuple{1537, 187, 155}}) {
        GoToPage(id, kForward);
        CWizardPage* page = Page(id);
        ASSERT_NE(page->m_pButtonBar, nullptr) << id;
        HWND bar = page->m_pButtonBar->m_hWnd;
        SIZE original = TemplateWindowSize(page->m_hWnd, widthDu, heightDu);
        RECT barTemplate{0, 0, 272, 27};
        MapDialogRect(bar, &barTemplate);
        RECT pageRect = page->GetWindowRect();
        RECT barRect = GetRect(bar);
        EXPECT_EQ(pageRect.right - pageRect.left, std::max(original.cx, barTemplate.right)) << id;
        EXPECT_EQ(pageRect.bottom - pageRect.top, original.cy + barTemplate.bottom) << id;
        EXPECT_EQ(barRect.right - barRect.left, pageRect.right - pageRect.left) << id;
        // The bar fills the bottom of the grown client area and never starts left of it.
        RECT client = page->GetClientRect();
        POINT barTopLeft{barRect.left, barRect.top};
        ScreenToClient(page->m_hWnd, &barTopLeft);
        EXPECT_EQ(barTopLeft.y, client.bottom - barTemplate.bottom) << id;
        EXPECT_GE(barTopLeft.x, 0) << id;
    }
    // Back only where there is a back id; Next where there is a next id.
    EXPECT_FALSE(IsControlEnabled(Page(102)->m_hWnd, kBackButtonId));
    EXPECT_TRUE(IsControlEnabled(Page(102)->m_hWnd, kNextButtonId));
    EXPECT_TRUE(IsControlEnabled(Page(1537)->m_hWnd, kBackButtonId));
}

TEST_F(Wizard, FinishLabelAndBarButtons) {
    g_chain = {{1547, {-1, true}}};
    GoToPage(1547, kForward);
    CWizardPage* page = Page(1547);
    page->SetNextToFinish();
    page->EnableCancel(false);
    EXPECT_EQ(GetControlText(page->m_hWnd, kNextButtonId), "&Finish");
    EXPECT_FALSE(IsControlEnabled(page->m_hWnd, IDCANCEL));
    EXPECT_TRUE(IsControlEnabled(page->m_hWnd, kNextButtonId));
    EXPECT_FALSE(IsControlVisible(page->m_hWnd, 9)); // "&Help"
}

TEST_F(Wizard, ExpandingDialogOpensFoldedAndMoreTogglesBack) {
    CExpandingDialog dialog(1544);
    ASSERT_TRUE(dialog.Create(1544, m_main));
    RECT folded = dialog.GetWindowRect();
    EXPECT_LT(folded.bottom - folded.top, dialog.m_rcFull.bottom - dialog.m_rcFull.top);
    EXPECT_EQ(dialog.m_bExpanded, 0);
    EXPECT_FALSE(IsControlEnabled(dialog.m_hWnd, 152)); // below the fold
    EXPECT_TRUE(IsControlEnabled(dialog.m_hWnd, IDOK));
    EXPECT_EQ(GetControlText(dialog.m_hWnd, 119), "&More>>");

    dialog.SendMessage(WM_COMMAND, MAKEWPARAM(119, BN_CLICKED));
    RECT full = dialog.GetWindowRect();
    EXPECT_EQ(full.bottom - full.top, dialog.m_rcFull.bottom - dialog.m_rcFull.top);
    EXPECT_EQ(full.right - full.left, dialog.m_rcFull.right - dialog.m_rcFull.left);
    EXPECT_TRUE(IsControlEnabled(dialog.m_hWnd, 152));
    EXPECT_EQ(GetControlText(dialog.m_hWnd, 119), "&More<<");

    dialog.SendMessage(WM_COMMAND, MAKEWPARAM(119, BN_CLICKED));
    RECT again = dialog.GetWindowRect();
    EXPECT_EQ(again.bottom - again.top, folded.bottom - folded.top);
    EXPECT_FALSE(IsControlEnabled(dialog.m_hWnd, 152));
    EXPECT_EQ(GetControlText(dialog.m_hWnd, 119), "&More>>");
}

TEST_F(Wizard, PumpMessagesReturnsOnAnEmptyQueueAndKeepsAQuitRequest) {
    DrainQueue();
    PumpMessages();
    PostQuitMessage(7);
    PumpMessages();
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 7u);
}

TEST_F(Wizard, DialogUtilities) {
    CDialog dialog(104);
    ASSERT_TRUE(dialog.Create(104, m_main));
    HWND wnd = dialog.m_hWnd;

    PlaceWindow(wnd, 1, 2, 1, 2);
    RECT r = dialog.GetWindowRect();
    EXPECT_NEAR((r.left + r.right) / 2, GetSystemMetrics(SM_CXSCREEN) / 2, 1);
    EXPECT_NEAR((r.top + r.bottom) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, 1);

    EXPECT_FALSE(EnableDlgItem(wnd, 9999, false));
    EXPECT_TRUE(EnableDlgItem(wnd, 1001, false));
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(wnd, 1001)));

    std::string longText(2000, 'x');
    SetDlgItemFormat(wnd, 1001, "%s-%d", longText.c_str(), 5);
    EXPECT_EQ(GetDlgItemString(wnd, 1001), std::string(511, 'x'));
    SetDlgItemFormat(wnd, 1001, "C:\\%s\\", "SHIFT");
    EXPECT_EQ(GetDlgItemString(wnd, 1001), "C:\\SHIFT\\");
    EXPECT_EQ(GetDlgItemString(wnd, 9999), "");
}

TEST_F(Wizard, BackgroundCloseBoxAsksAndYesFailsTheRunButKeepsTheWindow) {
    for (int answer : {IDNO, IDYES}) {
        RunWithScript(
            [&] { m_main->SendMessage(WM_CLOSE); },
            [&] {
                HWND box = WaitForWindow(OwnWindow(m_app->m_strSetupTitle, {IDYES, IDNO}));
                ASSERT_NE(box, nullptr);
                Click(box, answer);
            });
        EXPECT_TRUE(IsWindow(m_main->m_hWnd));
        EXPECT_EQ(m_app->m_bSucceeded, answer == IDYES ? 0 : 1);
    }
}

TEST_F(Wizard, BackgroundWithoutPaletteOnTrueColourDisplays) {
    bool paletteDevice = (GetDeviceCaps(CClientDC(nullptr), RASTERCAPS) & RC_PALETTE) != 0;
    ASSERT_TRUE(m_main->m_pPalette);
    if (!paletteDevice) {
        EXPECT_TRUE(m_main->m_pPalette->IsNull());
    }
    m_main->Invalidate(true);
    m_main->UpdateWindow(); // paints without a palette
}

TEST(Background, FillGradientPaintsEveryRowWithinThePaintRectangle) {
    CMemoryDC dc(nullptr);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), 40, -100, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    CBitmap bitmap(CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    ASSERT_FALSE(bitmap.IsNull());
    CSelectObject select(dc, bitmap.Get());
    RECT all{0, 0, 40, 100};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));

    FillGradient(dc, RECT{10, 0, 30, 100}, all, false, kRampFrom, kRampTo);
    EXPECT_EQ(GetPixel(dc, 10, 0), 0xFF0000u);
    EXPECT_EQ(GetPixel(dc, 29, 99), RampRowColor(kRampFrom, kRampTo, 99, 100, false));
    EXPECT_EQ(GetPixel(dc, 20, 50), 0x800000u);
    EXPECT_EQ(GetPixel(dc, 5, 50), 0xFFFFFFu); // left of the paint rectangle
    EXPECT_EQ(GetPixel(dc, 35, 50), 0xFFFFFFu);
}

TEST(Background, DevicesWithoutPaletteGetNoPaletteHandle) {
    CMemoryDC dc(nullptr);
    if (GetDeviceCaps(dc, SIZEPALETTE) != 0)
        GTEST_SKIP() << "palette display";
    CPalette palette;
    CreateGradientPalette(dc, palette, kRampFrom, kRampTo);
    EXPECT_TRUE(palette.IsNull());
}
