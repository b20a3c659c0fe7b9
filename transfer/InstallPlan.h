// The install plan: one record per source file of the setup profile's file-list sections
// (one section per file group), in the order the copy engine installs them.
//
// File-list value: "size|kind|files|diskette|destination|text" (profile/FileListRecord.h),
// for example 1000|0|1|2|0| is a plain file of 1000 bytes on diskette 2 for the install
// directory.
#pragma once

#include "transfer/SetupMultiFile.h"
#include "transfer/SetupPath.h"

#include <cstdint>
#include <list>
#include <memory>
#include <string>

class CFileGroupMap;

// The records (CSetupMultiFile, transfer/SetupMultiFile.h) in the order the copy engine
// installs them.
class CInstallPlan {
public:
    using Records = std::list<std::unique_ptr<CSetupMultiFile>>;

    // For every group of groups, selected or not, reads the section named by its key and
    // adds one record per key. Missing sections add nothing; never throws for bad values.
    void LoadFileLists(const CSetupPath& profile, const CFileGroupMap& groups);
    // Inserts a record at its place: ascending diskette number, unmarked records before
    // marked ones of the same diskette, equal records in the order added.
    void Insert(std::unique_ptr<CSetupMultiFile> record);
    // Sum over all records (all) or over those whose group is selected. 64 bits: a profile
    // may describe more than 4 GB.
    uint64_t SpaceNeeded(uint32_t clusterBytes, bool all) const;

    const Records& GetRecords() const { return m_records; }
    void RemoveAll() { m_records.clear(); }

private:
    Records m_records;
};

// Parses one file-list value into record as ParseFileListRecord does (fields missing from the
// value leave the record's defaults). Exposed for the tests.
void ParseFileListValue(CSetupMultiFile& record, const std::string& value);
