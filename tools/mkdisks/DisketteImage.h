// CDisketteImage: writes one diskette of a set as a raw image of a standard diskette, a FAT12
// file system that drives, emulators and virtual machines read: boot sector with its BIOS
// parameter block, two identical FATs, a root directory holding the volume label and the
// files (no subfolders), each file in consecutive clusters.
//
// Names: a name in capitals that is a valid 8.3 name is written as it is; any other name
// (small letters, longer parts, spaces, more dots) gets the long-name entries Windows 95
// writes in front of a short name made from it (LONGNA~1.TXT). Both count against the root
// directory, whose size the format fixes; see DirectoryEntriesFor. Portable.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// One standard diskette format.
struct CDisketteFormat {
    const char* m_pszName; // "1.44 MB"
    int m_nTotalSectors;
    int m_nSectorsPerCluster;
    int m_nRootEntries;
    int m_nSectorsPerFat;
    int m_nSectorsPerTrack;
    uint8_t m_nMedia;

    static constexpr int kSectorBytes = 512;
    int64_t ClusterBytes() const { return int64_t{m_nSectorsPerCluster} * kSectorBytes; }
    int DataSectors() const;
    int Clusters() const { return DataSectors() / m_nSectorsPerCluster; }
    // The bytes files may take: every cluster of the data area.
    int64_t DataBytes() const { return Clusters() * ClusterBytes(); }
};

// The standard format whose data area and cluster are these bytes, or null.
const CDisketteFormat* FindDisketteFormat(int64_t dataBytes, int64_t clusterBytes);
// The standard formats as "1.44 MB (Size=1457664, Cluster=512)", joined by ", ".
std::string DisketteFormatsText();

// Empty when name can be a file on a diskette; otherwise why not, as "... ".
std::string WhyNotADisketteName(const std::string& name);
// Root directory entries a file of this name takes: 1, and the long-name entries (13
// characters each) when the name is not a valid 8.3 name in capitals.
int DirectoryEntriesFor(const std::string& name);

// The volume label (at most 11 characters, capitals, spaces allowed) made from the
// diskette's label: characters FAT does not allow in a label become spaces, runs of spaces
// one. Too long a label keeps the diskette number: labelTemplate without its "%d", cut, then
// the number ("CORVATEK 2"). Empty when nothing is left.
std::string VolumeLabelFor(const std::string& labelTemplate, int disk);

class CDisketteImage {
public:
    CDisketteImage(const CDisketteFormat& format, const std::string& volumeLabel);

    // A file of the diskette, read from sourcePath when the image is written; its
    // modification time goes into the directory entry.
    void AddFile(const std::string& name, const std::string& sourcePath);

    // Writes the image file. Throws CMkdisksError when a file cannot be read, or the files
    // need more clusters or root entries than the format has.
    void Write(const std::string& imagePath) const;

private:
    struct CEntry {
        std::string m_strName;
        std::string m_strSource;
    };
    const CDisketteFormat& m_format;
    std::string m_strLabel;
    std::vector<CEntry> m_files;
};
