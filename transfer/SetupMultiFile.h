// CSetupMultiFile: one record of a file list in the setup profile, and the archive (or plain
// file) it names, read through the archive reader: while a record is installed its counted
// reads tick the copy page every 4096 bytes, and an archive member that runs on into the
// next volume makes the record ask for the next diskette.
//
// File-list value: "size|kind|files|diskette|destination|text", for example 1000|0|1|2|0|
// is a plain file of 1000 bytes on diskette 2 for the install directory.
#pragma once

#include "archive/MultiFile.h"

#include <cstdint>
#include <string>

class CCopyEnvironment;
class CCopyProgress;
class CFileGroup;

enum SourceKind : int32_t {
    kSourcePlainFile = 0,
    kSourceArchive = 1,
};

class CSetupMultiFile : public CMultiFile {
public:
    CSetupMultiFile();
    ~CSetupMultiFile() override;

    // Space the record takes on a disk with the given cluster size: size plus half a cluster
    // per file for several files, else size rounded up to whole clusters (0: the size).
    uint64_t SpaceNeeded(uint32_t clusterBytes) const;
    bool IsSelected() const;

    // While a record is installed: where its ticks and diskette questions go (not owned;
    // null outside the copy run).
    void Attach(CCopyEnvironment* environment, CCopyProgress* progress);
    // Closes the source file without throwing.
    void CloseSource() { CloseQuietly(); }

    // Ticks the copy page while the run has not failed.
    void OnBlockBoundary() override;
    // The next volume of a member that runs on: the name's last character counts up, so does
    // the diskette number; asks for that diskette. Throws CUserException when the user
    // cancels the question, the archive layer's exceptions when the volume is no archive.
    bool OnVolumeEnd() override;

    std::string m_strSourceName;        // relative to the source folder; first volume of an archive
    int32_t m_nKind = kSourcePlainFile; // other values install nothing
    int32_t m_nSize = 0;                // expanded bytes of all its files
    int32_t m_nFileCount = 0;
    int32_t m_nDiskette = 0;      // never negative; counted up when an archive continues
    int32_t m_bAfterUnmarked = 0; // the profile gave the diskette number negated
    std::string m_strText;
    int32_t m_nDestinationId = -1;  // plain files only; -1: counted as done, not copied
    CFileGroup* m_pGroup = nullptr; // not owned; its selected flag decides

private:
    CCopyEnvironment* m_pEnvironment = nullptr;
    CCopyProgress* m_pProgress = nullptr;
};
