#include "transfer/CopyPage.h"

#include "app/DialogUtil.h"
#include "app/PageIds.h"
#include "app/SetupApp.h"
#include "app/Wizard.h"
#include "errors/ErrorDialog.h"
#include "errors/XException.h"
#include "framework/Format.h"
#include "pages/FolderDialog.h"
#include "profile/Destination.h"
#include "profile/DisketteArray.h"
#include "profile/InstallProfile.h"
#include "profile/ProgramItem.h"
#include "res/StringIds.h"
#include "system/ProgramItems.h"
#include "transfer/CopyEngine.h"
#include "transfer/InsertDisketteDialog.h"
#include "transfer/InstallFile.h"
#include "transfer/InstallPlan.h"
#include "transfer/SourceFolder.h"

namespace {

constexpr int kSourceLineId = 1008;
constexpr int kDestinationLineId = 1009;
constexpr int kGaugePlaceholderId = 1010;
constexpr DWORD kGaugeStyle = 0x50800000; // WS_CHILD | WS_VISIBLE | WS_BORDER

void PumpAppMessages() {
    PumpMessages();
}

// The copy loop serves the message queue before each member and at every tick. Unattended,
// nobody sees the pages or can press Cancel: the queue is then served at most every
// kBatchPumpMs, which keeps the program responsive to the system while a wineserver round
// trip per 4096 bytes no longer sets the pace.
constexpr DWORD kBatchPumpMs = 20;

void ServeQueue() {
    static DWORD s_nLastPump = 0;
    if (GetSetupApp().m_bBatch) {
        DWORD now = GetTickCount();
        if (now - s_nLastPump < kBatchPumpMs)
            return;
        s_nLastPump = now;
    }
    PumpMessages();
}

} // namespace

CCopyPage::CCopyPage(int nextId) : CWizardPage(kCopyPageId, nextId), m_gauge(0, 99, 0) {
    m_nButtonBarId = 0;
}

CCopyPage::~CCopyPage() = default;

bool CCopyPage::OnInitDialog() {
    bool result = CWizardPage::OnInitDialog();
    // Unattended, the page is sized to nothing: a gauge window would repaint at every
    // percent for nobody. Without one the gauge still keeps its range and position.
    if (!GetSetupApp().m_bBatch)
        m_gauge.CreateOver(kGaugeStyle, RECT{}, *this, kGaugePlaceholderId);
    return result;
}

void CCopyPage::PlacePage() {
    PlaceWindow(m_hWnd, 1, 2, 1, 2);
}

int CCopyPage::RunPage() {
    CSetupApp& app = GetSetupApp();
    if (!app.m_bSucceeded || !app.m_pFileLists)
        return kFailedPageId;
    CSetupCopyEnvironment environment(this);
    bool done = RunCopy(*app.m_pFileLists, environment, *this);
    m_pCurrentEntry = nullptr;
    if (!done || !app.m_bSucceeded) {
        CWizardPage::MarkFailed();
        return kFailedPageId;
    }
    return m_nNextId;
}

void CCopyPage::OnCancel() {
    m_bCancelRequest = 1;
}

void CCopyPage::StartRun(uint32_t totalBytes) {
    m_nDone = 0;
    m_gauge.SetRange(1, totalBytes);
    m_gauge.SetPos(0, false);
}

void CCopyPage::ShowSource(const CSetupMultiFile& record) {
    SetDlgItemText(kSourceLineId, record.m_strSourceName);
    UpdateWindow();
}

int CCopyPage::PercentWritten(uint64_t written, uint32_t expandedSize) {
    if (expandedSize == 0)
        return 100;
    uint64_t percent = written * 100 / expandedSize;
    return percent > 100 ? 100 : static_cast<int>(percent);
}

void CCopyPage::Tick() {
    if (m_pCurrentEntry == nullptr)
        return;
    uint64_t written = static_cast<uint64_t>(m_pCurrentEntry->GetWriteCount());
    uint32_t position = m_nDone + static_cast<uint32_t>(written);
    ServeQueue();
    if (m_bCancelRequest) {
        if (ConfirmCancel()) {
            m_pCurrentEntry->m_pRecord->Abort();
            CSetupApp& app = GetSetupApp();
            app.m_bSucceeded = 0;
            app.m_bCancelled = 1;
            m_nNextId = kFailedPageId;
            return;
        }
        m_bCancelRequest = 0;
    }
    m_gauge.SetPos(position, true);
    int percent = PercentWritten(written, m_pCurrentEntry->Header().GetExpandedSize());
    const std::string& path = m_pCurrentEntry->m_destination.GetText();
    // A member of some megabytes ticks hundreds of times at one percentage: the line is
    // formatted again only when it changes.
    if (percent != m_nLinePercent || path != m_strLinePath) {
        FormatString(m_strDestinationLine, "%s (%d%%)", path.c_str(), percent);
        m_nLinePercent = percent;
        m_strLinePath = path;
    }
    // Setting the same text again would only repaint it; a page that shows nothing (the
    // unattended run sizes its pages to nothing) gets the line at a tick once it shows.
    if (m_strDestinationLine != m_strShownLine && CanShowProgress()) {
        SetDlgItemText(kDestinationLineId, m_strDestinationLine);
        m_strShownLine = m_strDestinationLine;
    }
}

bool CCopyPage::CanShowProgress() const {
    if (!::IsWindowVisible(m_hWnd))
        return false;
    RECT client{};
    ::GetClientRect(m_hWnd, &client);
    return client.right > client.left && client.bottom > client.top;
}

void CCopyPage::AddDone(const CInstallFile& entry) {
    m_nDone += entry.Header().GetExpandedSize();
}

void CCopyPage::AddDoneRecord(const CSetupMultiFile& record) {
    m_nDone += record.m_nSize > 0 ? static_cast<uint32_t>(record.m_nSize) : 0;
}

CSetupCopyEnvironment::CSetupCopyEnvironment(CWnd* owner) : m_pOwner(owner) {
    CSetupApp& app = GetSetupApp();
    // The destination page has resolved every folder by now.
    if (app.m_pDestinations)
        for (const auto& entry : app.m_pDestinations->Records())
            m_destinationFolders[entry.first] = entry.second->m_path.GetText();
    if (app.m_pLogPath)
        m_logPath = *app.m_pLogPath;
}

bool CSetupCopyEnvironment::Succeeded() const {
    return GetSetupApp().m_bSucceeded != 0;
}

void CSetupCopyEnvironment::Fail() {
    GetSetupApp().m_bSucceeded = 0;
}

void CSetupCopyEnvironment::RestartNeeded() {
    GetSetupApp().m_bRestartNeeded = 1;
}

void CSetupCopyEnvironment::FileInDestination(const CSetupPath& path) {
    CSetupApp& app = GetSetupApp();
    if (app.m_pItems)
        if (CProgramItem* item = app.m_pItems->Lookup(path.GetFileName()))
            item->m_path = path;
}

bool CSetupCopyEnvironment::EnsureSourceFile(const std::string& name, int disk,
                                             CSetupPath& folder) {
    CSetupApp& app = GetSetupApp();
    // The source folder the diskette check switches is the program's own.
    bool found = ::EnsureSourceFile(
        *app.m_pSourceDir, name, disk,
        [this, &app](const CSetupPath& missing, int n, std::string& folder) {
            const std::string* label = app.m_pDiskettes ? app.m_pDiskettes->GetLabel(n) : nullptr;
            std::string drive = app.m_pSourceDir->GetDrive();
            if (app.m_bBatch) {
                // Nobody would answer: record the question and take Cancel.
                app.LogEvent(
                    "%s %s",
                    CInsertDisketteDialog::RequestLine(label ? *label : "", n, drive).c_str(),
                    missing.GetText().c_str());
                return false;
            }
            CInsertDisketteDialog dialog(m_pOwner, missing, n, label ? *label : "", drive,
                                         [](std::string& text, CWnd* parent) {
                                             return BrowseForFolder(text, true, parent);
                                         });
            if (dialog.DoModal() != IDOK) {
                app.m_bCancelled = 1;
                return false;
            }
            folder = dialog.m_strFolder;
            return true;
        });
    folder = *app.m_pSourceDir;
    return found;
}

bool CSetupCopyEnvironment::AskAfterError(const CException& error,
                                          const std::string& sourceFileName) {
    CSetupApp& app = GetSetupApp();
    if (app.m_bBatch) {
        std::string message = FormatErrorMessage(IDS_CANNOT_INSTALL_FROM, sourceFileName.c_str());
        app.LogEvent("%s %s", message.c_str(), ErrorTitleOf(error).c_str());
        return false;
    }
    return ::AskAfterError(IDS_CANNOT_INSTALL_FROM, error, sourceFileName.c_str());
}

void CSetupCopyEnvironment::PumpMessages() {
    ServeQueue();
}

void CSetupCopyEnvironment::FinishCopy() {
    CSetupApp& app = GetSetupApp();
    std::string installDir = app.m_pDestinations->GetPath(kDestInstall);
    WriteRecordedGroupName(installDir, app.m_strGroupName);
    CSetupPath installFolder(installDir);
    CreateProgramItems(*app.m_pItems, app.m_strGroupName, installFolder, &PumpAppMessages);
    if (app.m_bWriteLog)
        app.WriteInstallLog();
}
