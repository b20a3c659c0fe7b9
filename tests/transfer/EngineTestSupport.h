// The copy engine's test bench: an environment and a copy page that record what the engine
// asks of them, and helpers for copies, write times and archives (with the shared file and INI
// helpers). Win32 (under Wine, in the throwaway prefix).
#pragma once

#include "TestFiles.h"
#include "WindowsTestSupport.h"

#include "profile/Destination.h"
#include "profile/ProgramItem.h"
#include "transfer/CopyEnvironment.h"

#include <cstdint>
#include <ctime>
#include <functional>
#include <string>
#include <vector>

class CRecordingProgress : public CCopyProgress {
public:
    void StartRun(uint32_t totalBytes) override;
    void ShowSource(const CSetupMultiFile& record) override;
    void Tick() override;
    void SetCurrentEntry(CInstallFile* entry) override;
    void AddDone(const CInstallFile& entry) override;
    void AddDoneRecord(const CSetupMultiFile& record) override;
    void MarkFailed() override { m_bFailed = true; }

    uint32_t m_nTotal = 0;
    uint64_t m_nDone = 0;
    int m_nTicks = 0;
    bool m_bFailed = false;
    CInstallFile* m_pCurrent = nullptr;
    std::vector<std::string> m_sources; // "name@diskette" in the order shown
    std::function<void(CRecordingProgress&)> m_onTick;
};

class CRecordingEnvironment : public CCopyEnvironment {
public:
    // Destinations: 0 = root\APP, 1 = root\APP\DATA; source folder root\DISK01\; the log
    // root\shift.log.
    explicit CRecordingEnvironment(const std::string& root);

    bool EnsureSourceFile(const std::string& name, int disk, CSetupPath& folder) override;
    bool AskAfterError(const CException& error, const std::string& sourceFileName) override;
    void FinishCopy() override { ++m_nFinished; }
    bool Succeeded() const override { return m_bSucceeded != 0; }
    void Fail() override { m_bSucceeded = 0; }
    void RestartNeeded() override { m_bRestartNeeded = 1; }
    void FileInDestination(const CSetupPath& path) override;
    // The destination folders as the copy sees them (taken when a copy starts).
    void TakeDestinationFolders();

    CDestinationMap m_destinations;
    CProgramItemMap m_items;
    CSetupPath m_sourceDir;
    int32_t m_bSucceeded = 1;
    int32_t m_bRestartNeeded = 0;
    std::vector<std::string> m_questions; // "missing path@diskette"
    std::string m_strAnswerFolder;        // empty: the diskette question is cancelled
    std::vector<std::string> m_errors;    // "source name: class name"
    bool m_bContinueAfterError = true;
    int m_nFinished = 0;
};

void CopyFileOrFail(const std::string& from, const std::string& to);
// Seconds since 1970; sets and reads the last-write time.
void SetWriteTime(const std::string& path, time_t when);
time_t GetWriteTime(const std::string& path);

struct CTestMember {
    std::string m_strPath;
    int16_t m_nDestination;
    int32_t m_nMethod;
};
// Writes a single-volume archive of the members.
void WriteArchive(const std::string& path, const std::vector<CTestMember>& members);
// Cuts a single-volume archive into volumes of volumeBytes, the first as firstVolume and
// each next one in the folder of diskette n + 1 (folders DISK01, DISK02, ... under root).
std::vector<std::string> SplitIntoDiskFolders(const std::string& archive, const std::string& root,
                                              const std::string& name, int64_t volumeBytes);
