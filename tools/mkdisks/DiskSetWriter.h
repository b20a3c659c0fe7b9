// CDiskSetWriter: lays a checked product description out on diskettes and writes the set.
//
// Diskette 1 starts with the setup program, its profile and the extra files. Then, group by
// group in description order, the group's archive (cut into volumes at the room left on the
// diskette and at the size of each following diskette, so one member's data may run on from
// one diskette into the next) and its plain files (never cut; a plain file that does not fit
// starts the next diskette). Every file takes whole clusters and root directory entries (one,
// and the long-name entries of a name that is not 8.3 in capitals; the label takes one): a
// file the diskette has no cluster or no entry left for goes on the next. The profile lists
// each archive with the diskette of its first volume (negated when it runs on into the next
// diskette, so that setup copies it after the other records of that diskette) and each plain
// file with its own diskette, and the sizes and counts of what really went in.
#pragma once

#include "archive/VolumeSplitter.h"
#include "profile/ProfileDocument.h"
#include "tools/mkdisks/ProductDescription.h"

#include <cstdint>
#include <string>
#include <vector>

// Where one file of the set goes.
struct CPlacedFile {
    std::string m_strSource; // the file to copy (empty for the profile)
    std::string m_strName;   // name on the diskette
    int m_nDisk = 1;
    uint64_t m_nBytes = 0;
};

class CDiskSetWriter {
public:
    explicit CDiskSetWriter(const CProductDescription& description);

    // Writes DISK01, DISK02, ... into outputFolder and, when images is true, beside each the
    // image DISK01.IMG, ... of a standard diskette (see DisketteImage.h). The diskettes and
    // images of an earlier set there go first. Returns the number of diskettes. Throws
    // CMkdisksError (images of a Size and Cluster that no standard diskette has, too), and
    // the archive layer's exceptions for unreadable inputs.
    int Write(const std::string& outputFolder, bool images = false);

    // After Write: the profile written on diskette 1 and where every file went.
    const CProfileDocument& Profile() const { return m_profile; }
    const std::vector<CPlacedFile>& Files() const { return m_files; }

private:
    // A group's archive, written whole into the work folder before it is cut.
    struct CArchiveBuild {
        std::string m_strName; // first volume
        std::string m_strWholePath;
        std::vector<CMemberExtent> m_extents;
        int64_t m_nBodySize = 0;
        uint64_t m_nExpanded = 0;
        int m_nMembers = 0;
        int m_nFirstDisk = 1;
        int64_t m_nFirstCapacity = 0; // of the first volume, as laid out
        int m_nVolumes = 1;
    };
    // One file-list record of the profile (profile/FileListRecord.h) and what the layout needs
    // of it.
    struct CRecord {
        std::string m_strGroup;
        std::string m_strName;
        uint64_t m_nSize = 0;
        int m_nKind = 0;
        int m_nCount = 1;
        int m_nDisk = 1;
        int16_t m_nDestination = 0;
        std::string m_strText;
        int m_nArchive = -1; // index into m_archives
        const CSourceFile* m_pPlain = nullptr;
    };

    // What the files placed so far take of one diskette.
    struct CDiskUse {
        uint64_t m_nBytes = 0;
        int m_nEntries = 0;
    };
    static constexpr int kDefaultRootEntries = 224;

    void BuildArchives(const std::string& workFolder);
    // One layout for a profile of profileBytes; fills m_files and the records' diskettes.
    int LayOut(uint64_t profileBytes);
    void PlaceArchive(CArchiveBuild& archive, std::vector<CDiskUse>& used, int& disk);
    void NextDisk(std::vector<CDiskUse>& used, int& disk) const;
    // Root directory entries a diskette has for files.
    int RootEntries() const;
    void MakeProfile(int disks);
    uint64_t Rounded(uint64_t bytes) const;

    const CProductDescription& m_description;
    std::vector<CArchiveBuild> m_archives;
    std::vector<CRecord> m_records;
    std::vector<CPlacedFile> m_files;
    CProfileDocument m_profile;
};
