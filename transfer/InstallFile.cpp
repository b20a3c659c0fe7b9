#include "transfer/InstallFile.h"

#include "framework/CrashPoint.h"
#include "framework/Format.h"
#include "profile/Destination.h"
#include "profile/FileGroup.h"
#include "profile/InstallLog.h"
#include "system/RegistryDword.h"
#include "transfer/CopyEnvironment.h"
#include "transfer/FileVersion.h"
#include "transfer/ReplaceAtRestart.h"
#include "transfer/SetupMultiFile.h"

#include <windows.h>

CInstallFile::CInstallFile(CSetupMultiFile& record, CCopyEnvironment& environment)
    : m_pRecord(&record), m_environment(environment), m_logLines(environment.m_logPath) {}

CInstallFile::~CInstallFile() = default;

void CInstallFile::Install() {
    m_bInstalled = 0;
    m_bReplaced = 0;
    if (Header().GetDestination() == kDestNone)
        return;
    Prepare();
    try {
        m_pRecord->Extract(*this);
    } catch (...) {
        // Damaged, cut short, cancelled or written onto a full disk: the new copy is of no
        // use, and on a full disk it holds the room the next record needs.
        Abort();
        m_temporary.Delete(true);
        throw;
    }
    PassCrashPoint(CrashPoint::kMemberWritten);
    // A rename refuses to replace a file: it succeeding means there was no copy to compare
    // with, in one call instead of a look-up and a rename. A shared file may have a copy in
    // the other of the Windows and system folders, so it is always looked for.
    int16_t id = Header().GetDestination();
    bool mayRenameFirst = id != kDestWindows && id != kDestSystem;
    if (mayRenameFirst && PutInPlaceFirst()) {
        m_bInstalled = 1;
    } else {
        if (IsHandleOpen())
            Close(); // compared and renamed by name from here on
        CSetupPath existing = FindExistingCopy();
        Place(existing, existing.Exists());
    }
    WriteLogLine();
    if (Header().GetDestination() == kDestSystem)
        CountSharedUse();
    FillProgramItem();
    PassCrashPoint(CrashPoint::kMemberPlaced);
}

void CInstallFile::Prepare() {
    int16_t id = Header().GetDestination();
    auto destination = m_environment.m_destinationFolders.find(id);
    // A member for a folder the model does not know would land in the current directory.
    if (destination == m_environment.m_destinationFolders.end() || destination->second.empty())
        ThrowFileException(CFileException::badPath, -1, GetName());
    // A path given in the profile may lack its trailing backslash; it still names a folder.
    std::string folderText = destination->second;
    AppendBackslash(folderText);
    CSetupPath folder(folderText);
    // The members of an archive mostly share a few folders: one made for the member before
    // is still there.
    if (folderText != m_strPreparedFolder) {
        folder.CreateFolderOrThrow(true);
        m_strPreparedFolder = folderText;
    }
    m_destination = folder;
    m_destination.SetFileName(GetInstallName());
    // Every member is written beside its destination and renamed into place once it is
    // whole, stamped and checked: a power loss halfway leaves a stray temporary file, never
    // a part of a file under the destination's name (which a later run would take for an
    // existing copy, newer than the member by its time, and keep).
    m_temporary = m_destination;
    ClaimTemporary();
}

// The temporary name is claimed by creating the file, which the extraction then writes
// through the same handle: every open by name costs a round trip to the server on some
// systems, and a missing name a read of the whole folder. With no name free the last one
// tried belongs to someone else: extracting into it would overwrite that file.
void CInstallFile::ClaimTemporary() {
    const int kTries = 1000;
    for (int tries = 0;;) {
        m_temporary.TakeRandomTitle();
        CFile::NewFile result = ClaimOutput(m_temporary.GetText());
        if (result == CFile::NewFile::created)
            return;
        if (result == CFile::NewFile::failed)
            break; // the extraction's own open reports why
        if (++tries >= kTries)
            ThrowFileException(CFileException::directoryFull, -1, m_temporary.GetText());
    }
    SetOutputPath(m_temporary.GetText());
}

// Closes the new file under the destination's name, renamed through its open handle where
// the system can; by name otherwise. False when a file of that name is there.
bool CInstallFile::PutInPlaceFirst() {
    if (IsHandleOpen())
        return RenameOutput(m_destination.GetText()) || m_temporary.RenameTo(m_destination);
    return m_temporary.RenameTo(m_destination);
}

CSetupPath CInstallFile::FindExistingCopy() const {
    int16_t id = Header().GetDestination();
    if (id != kDestWindows && id != kDestSystem)
        return m_destination;
    // A shared file may sit in either folder; the copy found first is the one compared.
    CSetupPath inWindows(static_cast<int>(kRootWindowsDir));
    inWindows.SetFileName(m_destination.GetFileName());
    if (inWindows.Exists())
        return inWindows;
    CSetupPath inSystem(static_cast<int>(kRootSystemDir));
    inSystem.SetFileName(m_destination.GetFileName());
    return inSystem;
}

bool CInstallFile::IsNewer(const CSetupPath& newFile, const CSetupPath& existing) {
    CFileVersion newVersion, oldVersion;
    bool newHas = newVersion.Load(newFile.GetText());
    bool oldHas = oldVersion.Load(existing.GetText());
    if (oldHas && !newHas)
        return false;
    if (newHas && !oldHas)
        return true;
    if (newHas && oldHas)
        return newVersion.IsNewerThan(oldVersion);
    return existing.ModifiedTime() < newFile.ModifiedTime();
}

void CInstallFile::Place(const CSetupPath& existing, bool exists) {
    if (!exists) {
        m_bInstalled = 1;
        m_temporary.RenameTo(m_destination);
        return;
    }
    if (IsNewer(m_temporary, existing)) {
        m_bReplaced = 1;
        if (existing.Delete(true)) {
            m_bInstalled = 1;
            m_temporary.RenameTo(m_destination);
        } else {
            // In use: the new copy waits beside it for the next start. When the system will
            // not take it, the copy is of no use and the file has failed.
            try {
                ReplaceAtRestart(m_temporary.GetText(), existing.GetText());
            } catch (...) {
                m_temporary.Delete(true);
                throw;
            }
            m_environment.RestartNeeded();
        }
        return;
    }
    m_temporary.Delete(true);
}

void CInstallFile::WriteLogLine() const {
    if (m_pRecord->m_pGroup == nullptr || m_environment.m_logPath.GetText().empty())
        return;
    std::string value;
    FormatString(value, "%d|%d|%d", static_cast<int>(Header().GetDestination()),
                 static_cast<int>(m_bInstalled), static_cast<int>(m_bReplaced));
    const std::string& group = m_pRecord->m_pGroup->m_strKey;
    m_logLines.Add(group, m_destination.GetFileName(), value);
    // Counted again below: a removal's note that it released this line's count is void.
    if (Header().GetDestination() == kDestSystem)
        m_logLines.Add(kReleasedCountSection, ReleasedCountKey(group, m_destination.GetFileName()),
                       "");
}

void CInstallFile::CountSharedUse() const {
    CRegistryDword count(HKEY_LOCAL_MACHINE, kSharedDllsKey, m_destination.GetText(), 0, true,
                         false);
    count.SetValue(count.GetValue() + 1);
    count.Write();
}

void CInstallFile::FillProgramItem() const {
    m_environment.FileInDestination(m_destination);
}
