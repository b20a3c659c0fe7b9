#include "EngineTestSupport.h"

#include "archive/ArchiveWriter.h"
#include "archive/VolumeSplitter.h"
#include "framework/Exception.h"
#include "transfer/InstallFile.h"
#include "transfer/SetupMultiFile.h"
#include "transfer/SourceFolder.h"

#include <windows.h>

#include <cstdio>
#include <stdexcept>

void CRecordingProgress::StartRun(uint32_t totalBytes) {
    m_nTotal = totalBytes;
}

void CRecordingProgress::ShowSource(const CSetupMultiFile& record) {
    m_sources.push_back(record.m_strSourceName + "@" + std::to_string(record.m_nDiskette) +
                        (record.m_bAfterUnmarked ? "m" : ""));
}

void CRecordingProgress::Tick() {
    ++m_nTicks;
    if (m_onTick)
        m_onTick(*this);
}

void CRecordingProgress::SetCurrentEntry(CInstallFile* entry) {
    m_pCurrent = entry;
}

void CRecordingProgress::AddDone(const CInstallFile& entry) {
    m_nDone += entry.Header().GetExpandedSize();
}

void CRecordingProgress::AddDoneRecord(const CSetupMultiFile& record) {
    m_nDone += static_cast<uint32_t>(record.m_nSize);
}

CRecordingEnvironment::CRecordingEnvironment(const std::string& root)
    : m_sourceDir(root + "DISK01\\") {
    m_destinations.SetEntry(0, "APP", -1);
    m_destinations.SetPath(0, root + "APP");
    m_destinations.SetEntry(1, "DATA", 0);
    m_destinations.SetPath(1, root + "APP\\DATA");
    CreateDirectoryA((root + "DISK01").c_str(), nullptr);
    m_logPath = CSetupPath(root + "shift.log");
    TakeDestinationFolders();
}

void CRecordingEnvironment::TakeDestinationFolders() {
    m_destinationFolders.clear();
    for (const auto& entry : m_destinations.Records())
        m_destinationFolders[entry.first] = entry.second->m_path.GetText();
}

void CRecordingEnvironment::FileInDestination(const CSetupPath& path) {
    if (CProgramItem* item = m_items.Lookup(path.GetFileName()))
        item->m_path = path;
}

bool CRecordingEnvironment::EnsureSourceFile(const std::string& name, int disk,
                                             CSetupPath& folder) {
    bool found = ::EnsureSourceFile(
        m_sourceDir, name, disk, [this](const CSetupPath& missing, int n, std::string& answer) {
            m_questions.push_back(missing.GetText() + "@" + std::to_string(n));
            answer = m_strAnswerFolder;
            return !answer.empty();
        });
    folder = m_sourceDir;
    return found;
}

bool CRecordingEnvironment::AskAfterError(const CException& error,
                                          const std::string& sourceFileName) {
    m_errors.push_back(sourceFileName + ": " + error.GetRuntimeClassName());
    return m_bContinueAfterError;
}

void CopyFileOrFail(const std::string& from, const std::string& to) {
    if (!CopyFileA(from.c_str(), to.c_str(), FALSE))
        throw std::runtime_error("cannot copy " + from + " to " + to);
}

void SetWriteTime(const std::string& path, time_t when) {
    CFileStatus status;
    if (!CFile::GetStatus(path, status))
        throw std::runtime_error("cannot examine " + path);
    status.m_mtime = when;
    CFile::SetStatus(path, status);
}

time_t GetWriteTime(const std::string& path) {
    CFileStatus status;
    return CFile::GetStatus(path, status) ? status.m_mtime : 0;
}

void WriteArchive(const std::string& path, const std::vector<CTestMember>& members) {
    CArchiveWriter writer;
    writer.Create(path);
    for (const CTestMember& member : members)
        writer.AddFile(member.m_strPath, member.m_nMethod, member.m_nDestination);
    writer.Close();
}

std::vector<std::string> SplitIntoDiskFolders(const std::string& archive, const std::string& root,
                                              const std::string& name, int64_t volumeBytes) {
    std::string work = root + "volumes\\";
    CreateDirectoryA(work.c_str(), nullptr);
    CVolumeSplitter splitter(volumeBytes);
    std::vector<std::string> paths = splitter.Split(archive, work + name);
    std::vector<std::string> placed;
    for (size_t i = 0; i < paths.size(); ++i) {
        char folder[32];
        std::snprintf(folder, sizeof folder, "DISK%02u\\", static_cast<unsigned>(i + 1));
        CreateDirectoryA((root + folder).c_str(), nullptr);
        std::string target = root + folder + CSetupPath(paths[i]).GetFileName();
        MoveFileExA(paths[i].c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING);
        placed.push_back(target);
    }
    return placed;
}
