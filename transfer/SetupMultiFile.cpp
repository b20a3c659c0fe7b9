#include "transfer/SetupMultiFile.h"

#include "framework/CrashPoint.h"
#include "profile/FileGroup.h"
#include "transfer/CopyEnvironment.h"

CSetupMultiFile::CSetupMultiFile() = default;

CSetupMultiFile::~CSetupMultiFile() = default;

uint64_t CSetupMultiFile::SpaceNeeded(uint32_t clusterBytes) const {
    // The fields are signed in the profile; a negative size or count is taken as nothing.
    uint64_t size = m_nSize > 0 ? static_cast<uint64_t>(m_nSize) : 0;
    uint64_t files = m_nFileCount > 0 ? static_cast<uint64_t>(m_nFileCount) : 0;
    if (files > 1)
        return size + files * clusterBytes / 2;
    if (clusterBytes == 0)
        return size;
    return (size + clusterBytes - 1) / clusterBytes * clusterBytes;
}

bool CSetupMultiFile::IsSelected() const {
    return m_pGroup && m_pGroup->m_bSelected;
}

void CSetupMultiFile::Attach(CCopyEnvironment* environment, CCopyProgress* progress) {
    m_pEnvironment = environment;
    m_pProgress = progress;
}

void CSetupMultiFile::OnBlockBoundary() {
    PassCrashPoint(CrashPoint::kBlockRead);
    if (m_pProgress && m_pEnvironment && m_pEnvironment->Succeeded())
        m_pProgress->Tick();
}

bool CSetupMultiFile::OnVolumeEnd() {
    std::string name = CSetupPath(GetPathText()).GetFileName();
    CloseQuietly();
    if (!CurrentEntryRunsOn() || m_pEnvironment == nullptr)
        return true;
    if (!NextVolumePath(name, name))
        return true; // the read ends short and the codec reports the damage
    ++m_nDiskette;
    CSetupPath next;
    if (!m_pEnvironment->EnsureSourceFile(name, m_nDiskette, next))
        ThrowUserException();
    next.SetFileName(name);
    ReopenContinuing(next.GetText());
    ReadArchiveHeader();
    return false;
}
