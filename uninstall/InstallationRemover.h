// CInstallationRemover: the file and folder part of an uninstall, driven by the install log.
// For each group it reads the group's section of the log (key = the file name, field 0 = the
// destination id) and removes the file from the destination's folder; files of the system
// directory only lose one shared-use count, once however often the removal runs over the log
// (the log notes it, see ReleaseSharedFileOnce); "_rozirur.exe" and "_kstinst.exe" always stay.
// Afterwards the destination folders that became empty are removed, deepest first. Win32
// only. Nothing here throws except std::bad_alloc; failed deletions are silent.
#pragma once

#include "transfer/SetupPath.h"

#include <cstdint>
#include <string>

class CDestinationMap;
class CFileGroup;

// Told about each file before it is removed; decides whether the removal goes on.
class CRemovalProgress {
public:
    virtual ~CRemovalProgress() = default;
    // The full path of the next file. False stops the removal before that file.
    virtual bool OnRemovingFile(const CSetupPath& path) = 0;
};

// What the removal does with one logged file.
enum class LoggedFileAction {
    kSkip,         // no such destination, no usable name: the line is passed over
    kDelete,       // the file is deleted (its read-only attribute cleared first)
    kReleaseCount, // a system-directory file: its shared count is lowered, the file stays
    kKeep,         // "_rozirur.exe" or "_kstinst.exe": left in place
};

struct LoggedFileDecision {
    LoggedFileAction action = LoggedFileAction::kSkip;
    CSetupPath path; // the destination's folder joined with the file name (empty for kSkip)
};

// The decision for one line of the log, made without touching anything.
LoggedFileDecision DecideLoggedFile(const std::string& key, int16_t destinationId,
                                    const CDestinationMap& destinations);

class CInstallationRemover {
public:
    // Both must outlive the remover; progress may be null (nothing is reported, nothing stops).
    CInstallationRemover(const CDestinationMap& destinations, CRemovalProgress* progress);

    // Every file of the group's section of the log. False when the progress stopped the
    // removal (the remaining lines stay untouched).
    bool RemoveLoggedFiles(const CFileGroup& group, const CSetupPath& logPath);
    // One line of the group's section of the log, as DecideLoggedFile says. False when the
    // progress stopped the removal.
    bool RemoveLoggedFile(const CFileGroup& group, const CSetupPath& logPath,
                          const std::string& fileName, int16_t destinationId);
    // Every destination folder with an id of 0 or more that is empty, deeper folders before
    // the folders that hold them; one attempt each.
    void RemoveEmptyFolders() const;

    bool IsStopped() const { return m_bStopped; }

private:
    const CDestinationMap& m_destinations;
    CRemovalProgress* m_pProgress;
    bool m_bStopped = false;
};
