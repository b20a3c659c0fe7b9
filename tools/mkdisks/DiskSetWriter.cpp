#include "tools/mkdisks/DiskSetWriter.h"

#include "archive/ArchiveFormat.h"
#include "archive/ArchiveWriter.h"
#include "archive/MultiFile.h"
#include "profile/FileListRecord.h"
#include "tools/mkdisks/DisketteImage.h"

#include <cctype>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <limits>
#include <set>

namespace fs = std::filesystem;

namespace {

// The smallest first volume worth starting: its header, one entry header and a cut that
// leaves a byte of data on each side.
constexpr int64_t kMinFirstVolume =
    ArchiveLayout::kArchiveHeaderSize + ArchiveLayout::kEntryHeaderSize + 2;
// The numbered-folder rule of the setup program reads two digits.
constexpr int kMostDisks = 99;
const char kWorkFolder[] = "mkdisks.work";

class CDiskVolumeSplitter : public CVolumeSplitter {
public:
    CDiskVolumeSplitter(int64_t firstBytes, int64_t diskBytes)
        : CVolumeSplitter(diskBytes), m_nFirstBytes(firstBytes) {}
    int64_t VolumeCapacity(int index) const override {
        return index == 0 ? m_nFirstBytes : CVolumeSplitter::VolumeCapacity(index);
    }

private:
    int64_t m_nFirstBytes;
};

std::string DiskFolderName(int disk) {
    char name[16];
    std::snprintf(name, sizeof name, "DISK%02d", disk);
    return name;
}

// DISKnn, or DISKnn.IMG when image is true.
bool IsDiskName(std::string name, bool image) {
    if (image) {
        if (name.size() < 4 || name.compare(name.size() - 4, 4, ".IMG") != 0)
            return false;
        name.erase(name.size() - 4);
    }
    if (name.size() < 6 || name.compare(0, 4, "DISK") != 0)
        return false;
    for (size_t i = 4; i < name.size(); ++i) {
        if (!std::isdigit(static_cast<unsigned char>(name[i])))
            return false;
    }
    return true;
}

void CopyWithTime(const std::string& from, const fs::path& to) {
    fs::copy_file(from, to, fs::copy_options::overwrite_existing);
    fs::last_write_time(to, fs::last_write_time(from));
}

// Writes text as the whole file; false on failure.
bool WriteText(const std::string& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out)
        return false;
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    return static_cast<bool>(out.flush());
}

std::string Folded(const std::string& name) {
    std::string folded = name;
    for (char& c : folded)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return folded;
}

} // namespace

CDiskSetWriter::CDiskSetWriter(const CProductDescription& description)
    : m_description(description) {}

int CDiskSetWriter::RootEntries() const {
    const CDisketteFormat* format =
        FindDisketteFormat(m_description.m_nDiskBytes, m_description.m_nClusterBytes);
    // Sizes no diskette has (a set for a folder) get the root directory of a 1.44 MB one;
    // the volume label takes an entry.
    return (format ? format->m_nRootEntries : kDefaultRootEntries) - 1;
}

uint64_t CDiskSetWriter::Rounded(uint64_t bytes) const {
    uint64_t cluster = static_cast<uint64_t>(m_description.m_nClusterBytes);
    return (bytes + cluster - 1) / cluster * cluster;
}

void CDiskSetWriter::BuildArchives(const std::string& workFolder) {
    m_archives.clear();
    m_records.clear();
    for (const CGroupFiles& group : m_description.m_fileGroups) {
        if (!group.m_members.empty()) {
            CArchiveBuild archive;
            archive.m_strName = group.m_strArchive;
            archive.m_strWholePath =
                (fs::path(workFolder) / ("whole" + std::to_string(m_archives.size()))).string();
            CArchiveWriter writer;
            writer.Create(archive.m_strWholePath);
            for (const CSourceFile& member : group.m_members) {
                const CEntryHeader& header =
                    writer.AddFile(member.m_strPath, member.m_nMethod, member.m_nDestination,
                                   member.m_strDescription, member.m_strName);
                int64_t dataStart =
                    archive.m_nBodySize + static_cast<int64_t>(ArchiveLayout::kEntryHeaderSize);
                archive.m_extents.push_back({dataStart, header.GetPackedSize()});
                archive.m_nBodySize = dataStart + header.GetPackedSize();
                archive.m_nExpanded += header.GetExpandedSize();
                ++archive.m_nMembers;
            }
            writer.Close();
            CRecord record;
            record.m_strGroup = group.m_strKey;
            record.m_strName = group.m_strArchive;
            record.m_nSize = archive.m_nExpanded;
            record.m_nKind = 1;
            record.m_nCount = archive.m_nMembers;
            record.m_strText = group.m_strText;
            record.m_nArchive = static_cast<int>(m_archives.size());
            m_records.push_back(record);
            m_archives.push_back(std::move(archive));
        }
        for (const CSourceFile& plain : group.m_plainFiles) {
            CRecord record;
            record.m_strGroup = group.m_strKey;
            record.m_strName = plain.m_strName;
            record.m_nSize = plain.m_nSize;
            record.m_nDestination = plain.m_nDestination;
            record.m_strText = group.m_strText;
            record.m_pPlain = &plain;
            m_records.push_back(record);
        }
    }
    for (const CRecord& record : m_records) {
        if (record.m_nSize > static_cast<uint64_t>(std::numeric_limits<int32_t>::max()))
            throw CMkdisksError("'" + record.m_strName + "' holds more than 2 GB");
        if (record.m_nCount > std::numeric_limits<int16_t>::max())
            throw CMkdisksError("'" + record.m_strName + "' holds more than 32767 files");
    }
}

void CDiskSetWriter::NextDisk(std::vector<CDiskUse>& used, int& disk) const {
    ++disk;
    if (used.size() <= static_cast<size_t>(disk))
        used.resize(disk + 1);
}

void CDiskSetWriter::PlaceArchive(CArchiveBuild& archive, std::vector<CDiskUse>& used, int& disk) {
    const int64_t diskBytes = m_description.m_nDiskBytes;
    // Every volume's name has the length of the first's: they take the same entries.
    const int entries = DirectoryEntriesFor(archive.m_strName);
    int64_t first = diskBytes - static_cast<int64_t>(used[disk].m_nBytes);
    if (first < kMinFirstVolume || used[disk].m_nEntries + entries > RootEntries()) {
        NextDisk(used, disk);
        first = diskBytes;
    }
    std::vector<int64_t> cuts;
    for (;;) {
        try {
            cuts =
                CDiskVolumeSplitter(first, diskBytes).Plan(archive.m_extents, archive.m_nBodySize);
            break;
        } catch (const CVolumeSizeError&) {
            if (first == diskBytes)
                throw CMkdisksError("the archive '" + archive.m_strName +
                                    "' cannot be cut into volumes of one diskette");
            NextDisk(used, disk);
            first = diskBytes;
        }
    }
    archive.m_nFirstDisk = disk;
    archive.m_nFirstCapacity = first;
    archive.m_nVolumes = static_cast<int>(cuts.size()) + 1;
    std::string name = archive.m_strName;
    int64_t start = 0;
    for (int k = 0; k < archive.m_nVolumes; ++k) {
        if (k > 0) {
            NextDisk(used, disk);
            if (!CMultiFile::NextVolumePath(name, name))
                throw CMkdisksError("the archive '" + archive.m_strName +
                                    "' runs out of volume names");
        }
        int64_t end = k < static_cast<int>(cuts.size()) ? cuts[k] : archive.m_nBodySize;
        uint64_t bytes = ArchiveLayout::kArchiveHeaderSize + static_cast<uint64_t>(end - start);
        start = end;
        used[disk].m_nBytes += Rounded(bytes);
        used[disk].m_nEntries += entries;
        m_files.push_back({std::string(), name, disk, bytes});
    }
}

int CDiskSetWriter::LayOut(uint64_t profileBytes) {
    const uint64_t diskBytes = static_cast<uint64_t>(m_description.m_nDiskBytes);
    m_files.clear();
    std::vector<CDiskUse> used(2);
    int disk = 1;
    auto put = [&](const std::string& source, const std::string& name, uint64_t bytes) {
        used[1].m_nBytes += Rounded(bytes);
        used[1].m_nEntries += DirectoryEntriesFor(name);
        m_files.push_back({source, name, 1, bytes});
    };
    put(m_description.m_setupProgram.m_strPath, m_description.m_setupProgram.m_strName,
        m_description.m_setupProgram.m_nSize);
    put(std::string(), m_description.m_strProfileName, profileBytes);
    for (const CSourceFile& extra : m_description.m_extras)
        put(extra.m_strPath, extra.m_strName, extra.m_nSize);
    if (used[1].m_nBytes > diskBytes)
        throw CMkdisksError("diskette 1: the setup program, its profile and the extra files "
                            "need more bytes than one diskette holds");
    if (used[1].m_nEntries > RootEntries())
        throw CMkdisksError("diskette 1: the setup program, its profile and the extra files "
                            "need " +
                            std::to_string(used[1].m_nEntries) +
                            " root directory entries; a diskette has " +
                            std::to_string(RootEntries()) + " beside its label");

    for (CRecord& record : m_records) {
        // A plain record named like the setup program or an extra file is installed from that
        // copy on diskette 1 (the setup program installed for uninstalling, say).
        if (record.m_nArchive < 0 && m_description.IsFirstDiskFile(record.m_strName)) {
            record.m_nDisk = 1;
            continue;
        }
        if (record.m_nArchive >= 0) {
            CArchiveBuild& archive = m_archives[record.m_nArchive];
            PlaceArchive(archive, used, disk);
            record.m_nDisk = archive.m_nFirstDisk;
            continue;
        }
        uint64_t bytes = Rounded(record.m_nSize);
        int entries = DirectoryEntriesFor(record.m_strName);
        if (bytes > diskBytes)
            throw CMkdisksError("the plain file '" + record.m_strName +
                                "' is larger than a diskette");
        // A file the diskette has no room or no root directory entry for starts the next.
        if (used[disk].m_nBytes + bytes > diskBytes ||
            used[disk].m_nEntries + entries > RootEntries())
            NextDisk(used, disk);
        used[disk].m_nBytes += bytes;
        used[disk].m_nEntries += entries;
        record.m_nDisk = disk;
        m_files.push_back({record.m_pPlain->m_strPath, record.m_strName, disk, record.m_nSize});
    }
    if (disk > kMostDisks)
        throw CMkdisksError("the set needs " + std::to_string(disk) +
                            " diskettes; at most 99 can be numbered");

    std::set<std::string> names;
    for (const CPlacedFile& file : m_files) {
        std::string why = WhyNotADisketteName(file.m_strName);
        if (!why.empty())
            throw CMkdisksError("diskette " + std::to_string(file.m_nDisk) + ": '" +
                                file.m_strName + "' cannot be a file on a diskette: " + why);
        if (!names.insert(Folded(file.m_strName)).second)
            throw CMkdisksError("two files of the set are named '" + file.m_strName + "'");
    }
    return disk;
}

void CDiskSetWriter::MakeProfile(int disks) {
    m_profile = CProfileDocument();
    for (const CProfileSection* copied :
         {&m_description.m_destinations, &m_description.m_groups, &m_description.m_targets}) {
        CProfileSection& section = m_profile.Section(copied->m_strName);
        for (const CProfileLine& line : copied->m_lines)
            section.Append(line.m_strKey, line.m_strValue);
    }
    CProfileSection& diskettes = m_profile.Section("diskettes");
    for (int n = 1; n <= disks; ++n)
        diskettes.Append(std::to_string(n), m_description.LabelFor(n) + "|" + DiskFolderName(n));
    for (const CRecord& record : m_records) {
        // BuildArchives has checked that the size and the count fit their fields.
        CFileListRecord value;
        value.m_nSize = static_cast<int32_t>(record.m_nSize);
        value.m_nKind = record.m_nKind;
        value.m_nFileCount = record.m_nCount;
        value.m_nDiskette = record.m_nDisk;
        // Setup copies the records of a diskette in the order of their group keys; the one
        // archive that runs on into the next diskette comes after the rest of its first
        // diskette, so that each diskette is asked for once, in order.
        value.m_bAfterUnmarked =
            record.m_nArchive >= 0 && m_archives[record.m_nArchive].m_nVolumes > 1 ? 1 : 0;
        value.m_nDestinationId = record.m_nDestination;
        value.m_strText = record.m_strText;
        m_profile.Section(record.m_strGroup).Append(record.m_strName, FormatFileListRecord(value));
    }
}

int CDiskSetWriter::Write(const std::string& outputFolder, bool images) {
    const CDisketteFormat* format =
        FindDisketteFormat(m_description.m_nDiskBytes, m_description.m_nClusterBytes);
    if (images && format == nullptr)
        throw CMkdisksError("[Disks]: Size=" + std::to_string(m_description.m_nDiskBytes) +
                            " with Cluster=" + std::to_string(m_description.m_nClusterBytes) +
                            " is no standard diskette, so no image can be made; the standard "
                            "ones are " +
                            DisketteFormatsText());
    fs::path output(outputFolder);
    fs::create_directories(output);
    fs::path work = output / kWorkFolder;
    fs::remove_all(work);
    fs::create_directories(work);
    BuildArchives(work.string());

    // The profile's own size decides the room left on diskette 1: lay out until it fits.
    uint64_t profileBytes = 0;
    int disks = 0;
    for (int attempt = 0;; ++attempt) {
        disks = LayOut(profileBytes);
        MakeProfile(disks);
        uint64_t need = m_profile.Format().size();
        if (need <= profileBytes)
            break;
        if (attempt == 8)
            throw CMkdisksError("the layout of the set does not settle");
        profileBytes = Rounded(need);
    }

    // An earlier set's diskettes and images go: what stays always matches.
    for (const auto& entry : fs::directory_iterator(output)) {
        std::string name = entry.path().filename().string();
        if ((entry.is_directory() && IsDiskName(name, false)) ||
            (entry.is_regular_file() && IsDiskName(name, true)))
            fs::remove_all(entry.path());
    }
    for (int n = 1; n <= disks; ++n)
        fs::create_directories(output / DiskFolderName(n));

    size_t volumeFile = 0;
    for (size_t i = 0; i < m_archives.size(); ++i) {
        const CArchiveBuild& archive = m_archives[i];
        fs::path volumes = work / ("volumes" + std::to_string(i));
        fs::create_directories(volumes);
        CDiskVolumeSplitter splitter(archive.m_nFirstCapacity, m_description.m_nDiskBytes);
        std::vector<std::string> paths =
            splitter.Split(archive.m_strWholePath, (volumes / archive.m_strName).string());
        if (static_cast<int>(paths.size()) != archive.m_nVolumes)
            throw CMkdisksError("the archive '" + archive.m_strName + "' was cut differently");
        // The volumes' places in m_files, in order.
        size_t k = 0;
        for (; volumeFile < m_files.size() && k < paths.size(); ++volumeFile) {
            CPlacedFile& file = m_files[volumeFile];
            if (file.m_strSource.empty() && file.m_strName != m_description.m_strProfileName)
                file.m_strSource = paths[k++];
        }
    }
    for (const CPlacedFile& file : m_files) {
        fs::path target = output / DiskFolderName(file.m_nDisk) / file.m_strName;
        if (file.m_strName == m_description.m_strProfileName && file.m_strSource.empty()) {
            if (!WriteText(target.string(), m_profile.Format()))
                throw CMkdisksError("cannot write '" + target.string() + "'");
            continue;
        }
        CopyWithTime(file.m_strSource, target);
    }
    fs::remove_all(work);
    if (images) {
        // Each image from its folder, so that both hold the same files.
        for (int n = 1; n <= disks; ++n) {
            CDisketteImage image(*format, VolumeLabelFor(m_description.m_strLabel, n));
            for (const CPlacedFile& file : m_files) {
                if (file.m_nDisk == n)
                    image.AddFile(file.m_strName,
                                  (output / DiskFolderName(n) / file.m_strName).string());
            }
            image.Write((output / (DiskFolderName(n) + ".IMG")).string());
        }
    }
    return disks;
}
