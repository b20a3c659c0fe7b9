#include "app/MainWnd.h"

#include "app/Gradient.h"
#include "app/SetupApp.h"
#include "errors/ErrorDialog.h"
#include "framework/Exception.h"
#include "framework/ui/MessageBox.h"
#include "framework/ui/WinApp.h"
#include "res/StringIds.h"

#include <new>
#include <vector>

namespace {

constexpr DWORD kMainWindowStyle = 0x018B0000; // maximised, thin border, system menu, boxes
constexpr UINT kMainClassStyle = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;

std::vector<PaletteColor> StockPaletteColors() {
    auto stock = static_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE));
    WORD count = 0;
    if (stock == nullptr || GetObjectA(stock, sizeof count, &count) == 0 || count == 0)
        return {};
    std::vector<PALETTEENTRY> entries(count);
    UINT got = GetPaletteEntries(stock, 0, count, entries.data());
    std::vector<PaletteColor> colors(got);
    for (UINT i = 0; i < got; ++i)
        colors[i] = PaletteColor{entries[i].peRed, entries[i].peGreen, entries[i].peBlue,
                                 entries[i].peFlags};
    return colors;
}

} // namespace

void CreateGradientPalette(HDC dc, CPalette& palette, COLORREF from, COLORREF to) {
    try {
        std::vector<PaletteColor> colors =
            BuildGradientPalette(StockPaletteColors(), GetDeviceCaps(dc, SIZEPALETTE), from, to);
        if (colors.empty())
            return;
        std::vector<BYTE> buffer(sizeof(LOGPALETTE) + colors.size() * sizeof(PALETTEENTRY));
        auto* logical = reinterpret_cast<LOGPALETTE*>(buffer.data());
        logical->palVersion = 0x300;
        logical->palNumEntries = static_cast<WORD>(colors.size());
        for (size_t i = 0; i < colors.size(); ++i)
            logical->palPalEntry[i] =
                PALETTEENTRY{colors[i].red, colors[i].green, colors[i].blue, colors[i].flags};
        palette.Reset(CreatePalette(logical));
    } catch (const std::bad_alloc&) {
        ThrowMemoryException();
    }
}

void FillGradient(HDC dc, const RECT& paint, const RECT& client, bool paletteRelative,
                  COLORREF from, COLORREF to) {
    int height = client.bottom - client.top;
    for (int row = 0; row < height; ++row) {
        CBrush brush(CreateSolidBrush(RampRowColor(from, to, row, height, paletteRelative)));
        RECT line{paint.left, row, paint.right, row + 1};
        FillRect(dc, &line, brush);
    }
}

void DrawShadowText(HDC dc, const RECT&, const std::string& text, const char* faceName,
                    int pointSize, bool bold, bool italic, bool shadow) {
    int x = GetSystemMetrics(SM_CXHTHUMB);
    int y = GetSystemMetrics(SM_CYVTHUMB);
    int dx = 2 * GetSystemMetrics(SM_CXDLGFRAME);
    int dy = 2 * GetSystemMetrics(SM_CYDLGFRAME);
    CFont font;
    CreateScaledFont(font, dc, faceName, pointSize, bold, italic ? 1 : 0);
    CSelectObject selectFont(dc, font.Get());
    CSaveTextState saveText(dc);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(0, 0, 0));
    int length = static_cast<int>(text.size());
    if (shadow)
        TextOutA(dc, x + dx, y + dy, text.c_str(), length);
    SetTextColor(dc, RGB(255, 255, 255));
    TextOutA(dc, x, y, text.c_str(), length);
}

bool CMainWnd::Create() {
    HICON icon = LoadIconA(GetResourceHandle(), MAKEINTRESOURCEA(kProgramIconId));
    std::string className = RegisterWndClass(
        kMainClassStyle, LoadCursorA(nullptr, MAKEINTRESOURCEA(32512) /* IDC_ARROW */), nullptr,
        icon);
    if (!CFrameWnd::Create(className.c_str(), GetSetupApp().m_strSetupTitle.c_str(),
                           kMainWindowStyle))
        return false;
    ShowWindow(GetSetupApp().m_bBatch ? SW_SHOWMINIMIZED : SW_SHOWMAXIMIZED);
    return true;
}

int CMainWnd::OnCreate(CREATESTRUCTA* create) {
    if (CFrameWnd::OnCreate(create) == -1)
        return -1;
    m_pPalette = std::make_unique<CPalette>();
    CClientDC dc(m_hWnd);
    CreateGradientPalette(dc, *m_pPalette, kRampFrom, kRampTo);
    return 0;
}

void CMainWnd::OnDestroy() {
    m_pPalette.reset();
    Default();
}

void CMainWnd::RealizeOwnPalette() {
    if (!m_pPalette || m_pPalette->IsNull())
        return;
    UINT changed = 0;
    {
        CClientDC dc(m_hWnd);
        CSelectPalette select(dc, m_pPalette->Get());
        changed = RealizePalette(dc);
    }
    if (changed != 0 && changed != GDI_ERROR)
        Invalidate(true);
}

void CMainWnd::OnPaint() {
    CPaintDC dc(m_hWnd);
    CSelectPalette select(dc, m_pPalette ? m_pPalette->Get() : nullptr);
    if (select.Selected())
        RealizePalette(dc);
    RECT client = GetClientRect();
    FillGradient(dc, dc.PaintRect(), client, m_bActive != 0, kRampFrom, kRampTo);
    DrawShadowText(dc, client, GetSetupApp().m_strSetupTitle, "Arial", 24, true, true, true);
}

void CMainWnd::OnClose() {
    // The window stays: the cleared flag stops the running work and fails the run.
    if (AppMessageBox(IDS_CANCEL_QUESTION, MB_YESNO | MB_ICONQUESTION) == IDYES) {
        GetSetupApp().m_bSucceeded = 0;
        GetSetupApp().m_bCancelled = 1;
    }
}

void CMainWnd::OnActivateApp(bool active, DWORD) {
    m_bActive = active ? 1 : 0;
    Default();
}

void CMainWnd::OnPaletteChanged(HWND changedBy) {
    if (changedBy != m_hWnd)
        RealizeOwnPalette();
    Default();
}

LRESULT CMainWnd::OnQueryNewPalette() {
    RealizeOwnPalette();
    return Default();
}
