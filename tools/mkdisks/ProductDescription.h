// CProductDescription: what mkdisks reads from a product description, checked before any
// diskette is written. The description is an INI file:
//
//   [Disks]
//   Size=1457664                 bytes per diskette (default: a 1.44 MB diskette)
//   Cluster=512                  every file takes whole clusters (default 512)
//   SetupProgram=SETUP.EXE       copied to diskette 1; the profile is named after it
//   Label=Corvatek Shiftwell Disk %d    the label of each diskette ("%d": its number)
//   Extra1=Register.ini          further files for diskette 1, not installed by setup;
//   Extra2=ismif32.dll|optional  "optional": left out when the file is missing
//
//   [destinations] [groups] [targets]   copied into the setup profile as they are
//
//   [Files:KEY]                  the files of group KEY, in this order:
//   Archive=SHIFT.1              the archive's first volume (volumes count up the last
//   Text=Program files           character); Text is the records' descriptive text
//   Member1=shift.exe|0|deflate|optional|description    source|destination[|method[|...]]
//   Plain1=README.TXT|0          a plain file: source|destination (-1: counted, not copied)
//   Plain2=SETUP.EXE|0           a plain file named like a file of diskette 1 (the setup
//                                program, an extra file) is installed from that copy
//
// Source paths are relative to the input folder. A source written "SOURCE>NAME" is the file
// SOURCE under the name NAME in the set (on the diskette or in the archive):
//   Extra1=register-removal.ini>Register.ini
// Every check that can fail is made here.
#pragma once

#include "profile/ProfileDocument.h"

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

// A description or an input that mkdisks refuses; the message says what and where.
class CMkdisksError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct CSourceFile {
    std::string m_strSource; // the source path as written in the description
    std::string m_strPath;   // found in the input folder
    std::string m_strName;   // name and extension: the member name or the file on disk
    int16_t m_nDestination = 0;
    int32_t m_nMethod = 4; // members only: 2 stored, 4 deflate
    std::string m_strDescription;
    uint64_t m_nSize = 0;
};

struct CGroupFiles {
    std::string m_strKey;
    std::string m_strArchive; // empty when the group has no members
    std::string m_strText;
    std::vector<CSourceFile> m_members;
    std::vector<CSourceFile> m_plainFiles;
};

class CProductDescription {
public:
    static constexpr int64_t kDefaultDiskBytes = 1457664; // 2847 clusters of 512 bytes
    static constexpr int64_t kDefaultClusterBytes = 512;

    // Reads and checks the description. setupProgram, when not empty, replaces the
    // description's SetupProgram. Throws CMkdisksError.
    void Load(const std::string& descriptionPath, const std::string& inputFolder,
              const std::string& setupProgram);

    // The label of diskette n.
    std::string LabelFor(int disk) const;
    // True when name (any case) is the setup program's or an extra file's: a plain file of
    // that name is installed from diskette 1's copy.
    bool IsFirstDiskFile(const std::string& name) const;

    int64_t m_nDiskBytes = kDefaultDiskBytes;
    int64_t m_nClusterBytes = kDefaultClusterBytes;
    CSourceFile m_setupProgram;
    std::string m_strProfileName; // the setup program's title with ".ini"
    std::vector<CSourceFile> m_extras;
    std::string m_strLabel;
    CProfileSection m_destinations{"destinations"};
    CProfileSection m_groups{"groups"};
    CProfileSection m_targets{"targets"};
    std::vector<CGroupFiles> m_fileGroups;

private:
    void LoadDisks(const CProfileDocument& doc, const std::string& setupProgram);
    void LoadGroupFiles(const CProfileSection& section, const std::string& key);
    void CheckDestination(int16_t id, const std::string& where) const;
    // text: "SOURCE" or "SOURCE>NAME".
    CSourceFile FindSource(const std::string& text, const std::string& where, bool optional,
                           bool& found) const;
    void CheckUniqueNames() const;

    std::string m_strInputFolder;
};

// The name-and-extension part of a path ('/' and '\\' both separate).
std::string FileNameOf(const std::string& path);
