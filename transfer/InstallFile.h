// CInstallFile: one archive member (or plain file) being installed. The record it comes from
// expands it into a temporary file beside its destination, stamped with its time and
// attributes; Install then decides whether an existing copy may be replaced (version blocks
// first, modification times otherwise), puts the new file in place by a rename or schedules
// it for the next start, writes the file's line into the install log, counts shared system
// files and fills in the path of a matching program item.
// Win32 only. One object serves a whole archive: each header read overwrites the last, and
// the log lines of all its members are written when it is destroyed.
#pragma once

#include "archive/MultiFileEntry.h"
#include "profile/ProfileLineBatch.h"
#include "transfer/SetupPath.h"

#include <cstdint>

class CCopyEnvironment;
class CSetupMultiFile;

constexpr char kSharedDllsKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\SharedDLLs";

class CInstallFile : public CMultiFileEntry {
public:
    // Neither is owned; both outlive the object.
    CInstallFile(CSetupMultiFile& record, CCopyEnvironment& environment);
    ~CInstallFile() override;

    // Installs the member whose header the record has just read (nothing for destination
    // -1). Throws what extraction throws (CMultiFileException, CZLibException,
    // CFileException, CUserException after a confirmed Cancel) and CFileException badPath
    // for a destination id the install model does not know. The temporary file of a member
    // whose extraction fails (or is cancelled) is removed; an existing copy is untouched and
    // nothing is put under the destination's name. The new file takes the destination's name
    // by a rename only once it is whole.
    void Install();

    // Whether the new file (carrying the header's time) should replace `existing`.
    static bool IsNewer(const CSetupPath& newFile, const CSetupPath& existing);

    CSetupPath m_destination;
    CSetupPath m_temporary;
    CSetupMultiFile* m_pRecord; // not owned
    int32_t m_bInstalled = 0;   // the new file is in place
    int32_t m_bReplaced = 0;    // an existing copy was older than the new file

private:
    void Prepare();
    void ClaimTemporary();
    bool PutInPlaceFirst();
    CSetupPath FindExistingCopy() const;
    void Place(const CSetupPath& existing, bool exists);
    void WriteLogLine() const;
    void CountSharedUse() const;
    void FillProgramItem() const;

    CCopyEnvironment& m_environment;
    // The log lines of this object's members: written together when it is destroyed.
    mutable CProfileLineBatch m_logLines;
    std::string m_strPreparedFolder; // the destination folder made for the member before
};
