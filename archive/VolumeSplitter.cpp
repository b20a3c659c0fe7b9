#include "archive/VolumeSplitter.h"

#include "archive/ArchiveFormat.h"
#include "archive/MultiFile.h"
#include "archive/SetupFile.h"

#include <algorithm>
#include <memory>

namespace {

constexpr int64_t kArchiveHeader = static_cast<int64_t>(ArchiveLayout::kArchiveHeaderSize);
constexpr int64_t kEntryHeader = static_cast<int64_t>(ArchiveLayout::kEntryHeaderSize);

// Reads the members' places from a single-volume archive's headers, seeking over the data.
std::vector<CMemberExtent> ScanMembers(const std::string& source, int64_t& bodySize) {
    CMultiFile archive;
    archive.OpenArchive(source);
    std::vector<CMemberExtent> members;
    std::unique_ptr<CMultiFileEntry> entry = archive.CreateEntry();
    int64_t offset = 0;
    while (archive.ReadEntryHeader(*entry, true)) {
        members.push_back({offset + kEntryHeader, entry->Header().GetPackedSize()});
        offset += kEntryHeader + entry->Header().GetPackedSize();
    }
    bodySize = offset;
    return members;
}

// Writes body bytes into volumes, starting the next volume at each planned cut.
class CVolumeOutput {
public:
    CVolumeOutput(const std::string& firstVolume, const std::vector<int64_t>& cuts)
        : m_cuts(cuts), m_nextCut(0), m_offset(0) {
        Start(firstVolume);
    }
    void Put(const uint8_t* bytes, int64_t count) {
        while (count > 0) {
            int64_t piece = count;
            if (m_nextCut < m_cuts.size())
                piece = std::min(piece, m_cuts[m_nextCut] - m_offset);
            m_file.Write(bytes, static_cast<unsigned>(piece));
            bytes += piece;
            count -= piece;
            m_offset += piece;
            if (m_nextCut < m_cuts.size() && m_offset == m_cuts[m_nextCut]) {
                ++m_nextCut;
                std::string next;
                if (!CMultiFile::NextVolumePath(m_paths.back(), next))
                    ThrowFileException(CFileException::badPath, -1, m_paths.back());
                Start(next);
            }
        }
    }
    std::vector<std::string> Finish() {
        m_file.Close();
        return m_paths;
    }

private:
    void Start(const std::string& path) {
        m_file.Close();
        m_file.OpenWrite(path, true);
        m_paths.push_back(path);
        CArchiveHeader header = CArchiveHeader::Make();
        m_file.Write(header.m_bytes, sizeof header.m_bytes);
    }

    const std::vector<int64_t>& m_cuts;
    size_t m_nextCut;
    int64_t m_offset;
    CSetupFile m_file;
    std::vector<std::string> m_paths;
};

} // namespace

CVolumeSplitter::CVolumeSplitter(int64_t volumeBytes) : m_nVolumeBytes(volumeBytes) {}

CVolumeSplitter::~CVolumeSplitter() = default;

int64_t CVolumeSplitter::VolumeCapacity(int /*index*/) const {
    return m_nVolumeBytes;
}

std::vector<int64_t> CVolumeSplitter::Plan(const std::vector<CMemberExtent>& members,
                                           int64_t bodySize) const {
    std::vector<int64_t> cuts;
    int64_t start = 0; // body offset where the current volume's content begins
    size_t first = 0;  // first member whose data may still hold a cut
    for (int volume = 0;; ++volume) {
        int64_t room = VolumeCapacity(volume) - kArchiveHeader;
        if (bodySize - start <= room)
            return cuts;
        int64_t limit = start + room;
        while (first < members.size() &&
               members[first].m_nDataStart + members[first].m_nPackedSize <= start)
            ++first;
        // The last point at or before the limit that lies strictly inside some member's data
        // and past the start of this volume.
        int64_t cut = -1;
        for (size_t j = members.size(); j-- > first;) {
            const CMemberExtent& m = members[j];
            if (m.m_nDataStart >= limit)
                continue;
            int64_t candidate = std::min(limit, m.m_nDataStart + m.m_nPackedSize - 1);
            if (candidate > m.m_nDataStart && candidate > start) {
                cut = candidate;
                break;
            }
            if (m.m_nDataStart + m.m_nPackedSize <= start)
                break;
        }
        if (cut < 0)
            throw CVolumeSizeError("the members cannot be cut into volumes of this size");
        cuts.push_back(cut);
        start = cut;
    }
}

std::vector<std::string> CVolumeSplitter::Split(const std::string& source,
                                                const std::string& firstVolume) {
    int64_t bodySize = 0;
    std::vector<CMemberExtent> members = ScanMembers(source, bodySize);
    std::vector<int64_t> cuts = Plan(members, bodySize);

    CSetupFile input;
    input.OpenRead(source, true);
    CArchiveHeader archiveHeader;
    input.ReadExact(archiveHeader.m_bytes, sizeof archiveHeader.m_bytes);
    CVolumeOutput output(firstVolume, cuts);
    std::vector<uint8_t> buffer(64 * 1024);
    size_t nextCut = 0;
    for (const CMemberExtent& member : members) {
        CEntryHeader header;
        input.ReadExact(header.m_bytes, sizeof header.m_bytes);
        const int64_t dataEnd = member.m_nDataStart + member.m_nPackedSize;
        while (nextCut < cuts.size() && cuts[nextCut] <= member.m_nDataStart)
            ++nextCut;
        bool runsOn = nextCut < cuts.size() && cuts[nextCut] < dataEnd;
        header.SetContinued(runsOn ? 1 : 0);
        output.Put(header.m_bytes, sizeof header.m_bytes);
        for (int64_t left = member.m_nPackedSize; left > 0;) {
            unsigned n = static_cast<unsigned>(std::min<int64_t>(left, buffer.size()));
            input.ReadExact(buffer.data(), n);
            output.Put(buffer.data(), n);
            left -= n;
        }
    }
    return output.Finish();
}
