// The Win32 application layer: binding of windows to objects, the exception barrier of the
// window procedures, the message loop's start and end, modeless and modal dialogs with data
// exchange, dialog colours, the list box, message boxes and the old-style file dialog.
#include "framework/Exception.h"
#include "framework/ui/DataExchange.h"
#include "framework/ui/Dialog.h"
#include "framework/ui/FileDialog.h"
#include "framework/ui/FrameWnd.h"
#include "framework/ui/Gdi.h"
#include "framework/ui/ListBox.h"
#include "framework/ui/MessageBox.h"
#include "framework/ui/WinApp.h"

#include "GuiDriver.h"
#include "InProcess.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstddef>
#include <stdexcept>
#include <string>

using namespace guidriver;

namespace {

class CRecordingApp : public CWinApp {
public:
    LRESULT ProcessWndProcException(const CException& e, const MSG* msg) override {
        ++m_nExceptions;
        m_strClass = e.GetRuntimeClassName();
        m_nMessage = msg ? msg->message : 0;
        return 77;
    }
    bool InitInstance() override {
        ++m_nInits;
        if (m_bThrowInInit)
            throw CResourceException();
        return m_bStart;
    }
    int ExitInstance() override {
        ++m_nExits;
        return m_nExitCode + 100;
    }

    int m_nExceptions = 0;
    std::string m_strClass;
    UINT m_nMessage = 0;
    int m_nInits = 0;
    int m_nExits = 0;
    bool m_bThrowInInit = false;
    bool m_bStart = false;
};

class CThrowingWnd : public CFrameWnd {
public:
    int m_nKind = 0;

protected:
    void OnTimer(UINT_PTR) override {
        if (m_nKind == 0)
            throw CFileException(CFileException::diskFull);
        if (m_nKind == 1)
            throw std::runtime_error("plain");
        throw std::bad_alloc();
    }
};

void DrainQueue() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message != WM_QUIT)
            DispatchMessageA(&msg);
    }
}

std::string ClassName() {
    return CFrameWnd::RegisterWndClass(CS_DBLCLKS);
}

} // namespace

TEST(Window, IsBoundUntilItsDestructionAndFrameObjectsDeleteThemselves) {
    CRecordingApp app;
    auto* frame = new CFrameWnd;
    ASSERT_TRUE(frame->Create(ClassName().c_str(), "frame", WS_OVERLAPPEDWINDOW));
    HWND wnd = frame->m_hWnd;
    EXPECT_EQ(CWnd::FromHandle(wnd), frame);
    frame->DestroyWindow(); // deletes frame
    EXPECT_EQ(CWnd::FromHandle(wnd), nullptr);
    EXPECT_FALSE(IsWindow(wnd));
}

TEST(Window, ObjectDestroysTheWindowItCreated) {
    CRecordingApp app;
    HWND wnd = nullptr;
    {
        CFrameWnd frame;
        frame.m_bAutoDelete = false;
        ASSERT_TRUE(frame.Create(ClassName().c_str(), "frame", WS_OVERLAPPEDWINDOW));
        wnd = frame.m_hWnd;
    }
    EXPECT_FALSE(IsWindow(wnd));
    EXPECT_EQ(CWnd::FromHandle(wnd), nullptr);
}

TEST(Window, ExceptionsOfHandlersReachTheApplicationAndTheLoopGoesOn) {
    CRecordingApp app;
    auto* wnd = new CThrowingWnd;
    ASSERT_TRUE(wnd->Create(ClassName().c_str(), "thrower", WS_OVERLAPPED));
    EXPECT_EQ(wnd->SendMessage(WM_TIMER, 1), 77);
    EXPECT_EQ(app.m_strClass, "CFileException");
    EXPECT_EQ(app.m_nMessage, static_cast<UINT>(WM_TIMER));
    wnd->m_nKind = 1;
    wnd->SendMessage(WM_TIMER, 1);
    EXPECT_EQ(app.m_strClass, "CException");
    wnd->m_nKind = 2;
    wnd->SendMessage(WM_TIMER, 1);
    EXPECT_EQ(app.m_strClass, "CMemoryException");
    EXPECT_EQ(app.m_nExceptions, 3);
    EXPECT_TRUE(IsWindow(wnd->m_hWnd));
    wnd->DestroyWindow();
}

TEST(Application, DestroyingTheMainWindowEndsTheMessageLoop) {
    CRecordingApp app;
    auto* frame = new CFrameWnd;
    ASSERT_TRUE(frame->Create(ClassName().c_str(), "main", WS_OVERLAPPEDWINDOW));
    app.m_pMainWnd = frame;
    frame->PostMessage(WM_CLOSE); // the default handling destroys the window
    EXPECT_EQ(app.Run(), 0);
    EXPECT_EQ(app.m_pMainWnd, nullptr);
}

TEST(Application, ExitRunsEvenWhenStartFailsOrThrows) {
    CRecordingApp app;
    EXPECT_EQ(RunApplication(app, GetModuleHandleA(nullptr), "/X"), 100);
    EXPECT_EQ(app.m_strCmdLine, "/X");
    EXPECT_EQ(app.m_nInits, 1);
    EXPECT_EQ(app.m_nExits, 1);

    app.m_bThrowInInit = true;
    RunApplication(app, GetModuleHandleA(nullptr), "");
    EXPECT_EQ(app.m_nExits, 2);
    EXPECT_EQ(app.m_strClass, "CResourceException");
}

namespace {

class CLocationDialog : public CDialog {
public:
    CLocationDialog() : CDialog(104) {}
    std::string m_strLocation = "C:\\SHIFT\\";
    int m_nCancels = 0;
    int m_nOks = 0;

    void OnCancel() override {
        ++m_nCancels;
        CDialog::OnCancel();
    }
    void OnOK() override {
        ++m_nOks;
        CDialog::OnOK();
    }

protected:
    void DoDataExchange(CDataExchange& dx) override { DDX_Text(dx, 1001, m_strLocation); }
};

} // namespace

TEST(Dialog, ModelessDialogGetsItsKeyboardInterfaceFromTheLoop) {
    CRecordingApp app;
    CLocationDialog dialog;
    ASSERT_TRUE(dialog.Create(104));
    dialog.ShowWindow(SW_SHOW);
    EXPECT_EQ(dialog.GetDlgItemText(1001), "C:\\SHIFT\\");
    HWND edit = dialog.GetDlgItem(1001);

    PressKey(edit, VK_ESCAPE);
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (!PreTranslateModelessDialog(msg)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
    EXPECT_EQ(dialog.m_nCancels, 1);

    SetWindowTextA(edit, "D:\\OTHER\\");
    dialog.UpdateData(true);
    EXPECT_EQ(dialog.m_strLocation, "D:\\OTHER\\");
}

TEST(Dialog, ModalDialogReadsItsFieldsBackOnOk) {
    CRecordingApp app;
    CLocationDialog dialog;
    INT_PTR result = 0;
    RunWithScript([&] { result = dialog.DoModal(); },
                  [] {
                      HWND wnd = WaitForWindow(OwnWindow("Select Directory", {1001}));
                      ASSERT_NE(wnd, nullptr);
                      SendMessageTimeoutA(FindControl(wnd, 1001), WM_SETTEXT, 0,
                                          reinterpret_cast<LPARAM>("E:\\TYPED\\"), SMTO_BLOCK, 2000,
                                          nullptr);
                      PostMessageA(wnd, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0); // Enter
                  });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(dialog.m_nOks, 1);
    EXPECT_EQ(dialog.m_strLocation, "E:\\TYPED\\");
    EXPECT_EQ(dialog.m_hWnd, nullptr);
}

namespace {

class CGroupDialog : public CDialog {
public:
    CGroupDialog() : CDialog(106) {}
    int m_nChoice = 1;
    int m_nCount = 42;
    CListBox m_list;

protected:
    void DoDataExchange(CDataExchange& dx) override {
        DDX_Radio(dx, 1004, m_nChoice);
        DDX_Text(dx, 1006, m_nCount);
        DDX_Control(dx, 1007, m_list);
    }
};

} // namespace

TEST(Dialog, RadioNumberAndControlExchange) {
    CRecordingApp app;
    CGroupDialog dialog;
    ASSERT_TRUE(dialog.Create(106));
    EXPECT_EQ(IsDlgButtonChecked(dialog.m_hWnd, 1005), BST_CHECKED);
    EXPECT_EQ(IsDlgButtonChecked(dialog.m_hWnd, 1004), BST_UNCHECKED);
    EXPECT_EQ(dialog.GetDlgItemText(1006), "42");
    ASSERT_EQ(dialog.m_list.m_hWnd, dialog.GetDlgItem(1007));

    CheckDlgButton(dialog.m_hWnd, 1004, BST_CHECKED);
    CheckDlgButton(dialog.m_hWnd, 1005, BST_UNCHECKED);
    SetDlgItemTextA(dialog.m_hWnd, 1006, "not a number");
    dialog.UpdateData(true);
    EXPECT_EQ(dialog.m_nChoice, 0);
    EXPECT_EQ(dialog.m_nCount, 0);

    // The list keeps its items sorted; reading outside it gives nothing.
    dialog.m_list.AddString("Zeta");
    dialog.m_list.AddString("Alpha");
    EXPECT_EQ(dialog.m_list.GetCount(), 2);
    EXPECT_EQ(dialog.m_list.GetText(0), "Alpha");
    EXPECT_EQ(dialog.m_list.GetText(2), "");
    EXPECT_EQ(dialog.m_list.GetText(-1), "");
    EXPECT_EQ(dialog.m_list.GetCurSel(), LB_ERR);
    dialog.m_list.SetCurSel(1);
    EXPECT_EQ(dialog.m_list.GetCurSel(), 1);
}

TEST(Dialog, DialogsUseTheProgramsColours) {
    CRecordingApp app;
    app.SetDialogBkColor(RGB(192, 192, 192), RGB(0, 0, 0));
    CDialog dialog(114);
    ASSERT_TRUE(dialog.Create(114));
    CClientDC dc(dialog.m_hWnd);
    SetBkColor(dc, RGB(1, 2, 3));
    LRESULT brush =
        dialog.SendMessage(WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc.Get()),
                           reinterpret_cast<LPARAM>(GetWindow(dialog.m_hWnd, GW_CHILD)));
    EXPECT_EQ(reinterpret_cast<HBRUSH>(brush), GetDialogBkBrush());
    EXPECT_EQ(GetBkColor(dc), RGB(192, 192, 192));
    EXPECT_EQ(GetTextColor(dc), RGB(0, 0, 0));
}

TEST(MessageBoxes, CarryTheApplicationTitle) {
    CRecordingApp app;
    int result = 0;
    std::string text;
    RunWithScript([&] { result = AppMessageBox(7, MB_OK); },
                  [&] {
                      HWND box = WaitForWindow(OwnWindow("Corvatek Shiftwell Setup", {IDOK}));
                      ASSERT_NE(box, nullptr);
                      text = GetStaticTexts(box);
                      Click(box, IDOK);
                  });
    EXPECT_EQ(result, IDOK);
    EXPECT_NE(text.find("Cannot Create Directory"), std::string::npos) << text;
}

namespace {

class CPickDialog : public CFileDialog {
public:
    CPickDialog()
        : CFileDialog(false, nullptr, "jet.jet",
                      OFN_HIDEREADONLY | OFN_SHOWHELP | OFN_ENABLETEMPLATE,
                      "AllFiles (*.*)|*.*||") {
        m_ofn.lpTemplateName = MAKEINTRESOURCEA(138);
        m_ofn.lpstrTitle = "Pick";
    }
    std::atomic<int> m_nInits{0};
    std::atomic<int> m_nRefusals{0};

protected:
    bool OnInitDialog() override {
        CFileDialog::OnInitDialog();
        ++m_nInits;
        return true;
    }
    bool OnFileNameOK() override { return m_nRefusals++ == 0; } // refuses the first OK
};

} // namespace

TEST(FileDialog, OldStyleDialogOnTheProgramsTemplate) {
    CRecordingApp app;
    CPickDialog dialog;
    INT_PTR result = 0;
    bool stillOpenAfterRefusal = false;
    RunWithScript([&] { result = dialog.DoModal(); },
                  [&] {
                      HWND wnd = WaitForWindow(OwnWindow("Pick", {1121, 1137, 1002}));
                      ASSERT_NE(wnd, nullptr);
                      EXPECT_TRUE(WaitUntil([&] { return dialog.m_nInits == 1; }, 5000));
                      EXPECT_FALSE(IsControlVisible(wnd, 1152));
                      Click(wnd, IDOK);
                      WaitUntil([&] { return dialog.m_nRefusals == 1; }, 5000);
                      Sleep(200);
                      stillOpenAfterRefusal = IsWindow(wnd) && IsWindowVisible(wnd);
                      Click(wnd, IDOK);
                  });
    EXPECT_TRUE(stillOpenAfterRefusal);
    EXPECT_EQ(result, IDOK);
    // Windows 95, NT 3.51 and NT 4.0 refuse the structure with the fields of Windows 2000.
    EXPECT_EQ(offsetof(OPENFILENAMEA, pvReserved), dialog.m_ofn.lStructSize);
    EXPECT_EQ(dialog.m_nRefusals, 2);
    std::string path = dialog.GetPathName();
    EXPECT_EQ(path.substr(path.size() - 7), "jet.jet") << path;
}

TEST(Gdi, SelectionsAreUndoneAtTheEndOfTheirScope) {
    CMemoryDC dc(nullptr);
    HGDIOBJ before = GetCurrentObject(dc, OBJ_BRUSH);
    {
        CBrush brush(CreateSolidBrush(RGB(1, 2, 3)));
        CSelectObject select(dc, brush.Get());
        EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), brush.Get());
    }
    EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), before);
    {
        CSaveTextState save(dc);
        SetTextColor(dc, RGB(9, 9, 9));
        SetBkMode(dc, TRANSPARENT);
    }
    EXPECT_NE(GetTextColor(dc), RGB(9, 9, 9));
    EXPECT_EQ(GetBkMode(dc), OPAQUE);
    CSelectPalette none(dc, nullptr);
    EXPECT_FALSE(none.Selected());
    DrainQueue();
}
