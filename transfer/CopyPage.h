// Page 108: copying files. Its automatic work is the copy run; the page shows the source
// file being read, the destination being written with its percentage and a gauge for the
// whole run. The engine ticks the page every 4096 source bytes: that repaints it, serves
// input and examines a pending Cancel. Centred on the screen, without a button bar; an
// unattended run's page, sized to nothing, has no gauge window either.
// Win32 only.
#pragma once

#include "app/PageIds.h"
#include "app/WizardPage.h"
#include "transfer/CopyEnvironment.h"
#include "transfer/GaugeCtrl.h"

#include <cstdint>
#include <memory>
#include <string>

class CCopyPage : public CWizardPage, public CCopyProgress {
public:
    explicit CCopyPage(int nextId);
    ~CCopyPage() override;

    void PlacePage() override;
    // The copy run; the failed page after a failure or a cancel, else the next page.
    int RunPage() override;
    // Only records the request; the next tick asks for confirmation.
    void OnCancel() override;

    // CCopyProgress
    void StartRun(uint32_t totalBytes) override;
    void ShowSource(const CSetupMultiFile& record) override;
    void Tick() override;
    void SetCurrentEntry(CInstallFile* entry) override { m_pCurrentEntry = entry; }
    void AddDone(const CInstallFile& entry) override;
    void AddDoneRecord(const CSetupMultiFile& record) override;
    void MarkFailed() override { CWizardPage::MarkFailed(); }

    // The destination line: "%s (%d%%)" of the path and how much of it is written.
    static int PercentWritten(uint64_t written, uint32_t expandedSize);

    int32_t m_bCancelRequest = 0;
    CGaugeCtrl m_gauge;
    uint32_t m_nDone = 0;                    // expanded bytes of the members done
    CInstallFile* m_pCurrentEntry = nullptr; // not owned
    std::string m_strDestinationLine;        // the destination line of the last tick
    std::string m_strLinePath;               // the path and
    int m_nLinePercent = -1;                 // the percentage m_strDestinationLine shows
    std::string m_strShownLine;              // the text control 1009 holds

protected:
    bool OnInitDialog() override;

private:
    // False while the page has no visible area to paint progress in.
    bool CanShowProgress() const;
};

// The running program as the copy engine sees it: the application's model, paths and flags,
// the diskette prompt and the question after an error. Unattended, nobody is asked: the
// question's text goes to the install log's events and the answer is Cancel.
class CSetupCopyEnvironment : public CCopyEnvironment {
public:
    explicit CSetupCopyEnvironment(CWnd* owner);

    bool EnsureSourceFile(const std::string& name, int disk, CSetupPath& folder) override;
    bool AskAfterError(const CException& error, const std::string& sourceFileName) override;
    void PumpMessages() override;
    void FinishCopy() override;
    bool Succeeded() const override;
    void Fail() override;
    void RestartNeeded() override;
    void FileInDestination(const CSetupPath& path) override;

private:
    CWnd* m_pOwner;
};
