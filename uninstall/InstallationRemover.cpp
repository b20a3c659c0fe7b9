#include "uninstall/InstallationRemover.h"

#include "framework/CrashPoint.h"
#include "profile/Destination.h"
#include "profile/FileGroup.h"
#include "profile/ProfileFields.h"
#include "profile/ProfileKeyList.h"
#include "profile/ProfileValue.h"
#include "system/CommandText.h"
#include "uninstall/SharedFileCount.h"
#include "uninstall/UninstallRules.h"

#include <vector>

LoggedFileDecision DecideLoggedFile(const std::string& key, int16_t destinationId,
                                    const CDestinationMap& destinations) {
    LoggedFileDecision decision;
    const CDestination* destination = destinations.Lookup(destinationId);
    const std::string name = LogKeyFileName(key);
    if (!destination || destination->m_path.GetText().empty() || name.empty())
        return decision;
    decision.path = CSetupPath(AsFolderText(destination->m_path.GetText()));
    decision.path.SetFileName(name);
    if (destinationId == kDestSystem)
        decision.action = LoggedFileAction::kReleaseCount;
    else if (IsKeptFileName(name))
        decision.action = LoggedFileAction::kKeep;
    else
        decision.action = LoggedFileAction::kDelete;
    return decision;
}

CInstallationRemover::CInstallationRemover(const CDestinationMap& destinations,
                                           CRemovalProgress* progress)
    : m_destinations(destinations), m_pProgress(progress) {}

bool CInstallationRemover::RemoveLoggedFiles(const CFileGroup& group, const CSetupPath& logPath) {
    CProfileKeyList keys(group.m_strKey.c_str());
    keys.SetFile(logPath);
    CProfileValue line;
    for (bool more = keys.First(line); more && !m_bStopped; more = keys.Next(line)) {
        line.SetValue("");
        line.Read();
        // Fields 1 and 2 (installed, replaced) do not matter: a file kept at installation
        // because it was not older is the product's all the same.
        int16_t destinationId = 0;
        GetProfileFieldShort(destinationId, line.GetValue(), 0);
        RemoveLoggedFile(group, logPath, line.GetKey(), destinationId);
    }
    return !m_bStopped;
}

bool CInstallationRemover::RemoveLoggedFile(const CFileGroup& group, const CSetupPath& logPath,
                                            const std::string& fileName, int16_t destinationId) {
    if (m_bStopped)
        return false;
    LoggedFileDecision decision = DecideLoggedFile(fileName, destinationId, m_destinations);
    if (decision.action == LoggedFileAction::kSkip)
        return true;
    if (m_pProgress && !m_pProgress->OnRemovingFile(decision.path)) {
        m_bStopped = true;
        return false;
    }
    switch (decision.action) {
    case LoggedFileAction::kReleaseCount:
        ReleaseSharedFileOnce(decision.path, logPath, group.m_strKey, fileName);
        break;
    case LoggedFileAction::kDelete:
        // The running setup program cannot be deleted: the removal helper does it later.
        decision.path.Delete(true);
        PassCrashPoint(CrashPoint::kFileRemoved);
        break;
    default:
        break;
    }
    return true;
}

void CInstallationRemover::RemoveEmptyFolders() const {
    std::vector<std::string> folders;
    for (const auto& entry : m_destinations.Records()) {
        const CDestination& destination = *entry.second;
        if (destination.m_nId >= 0 && !destination.m_path.GetText().empty())
            folders.push_back(destination.m_path.GetText());
    }
    for (const std::string& folder : OrderFoldersForRemoval(folders)) {
        CSetupPath path(AsFolderText(folder));
        if (!path.HasEntries() && path.RemoveFolder())
            PassCrashPoint(CrashPoint::kFolderRemoved);
    }
}
