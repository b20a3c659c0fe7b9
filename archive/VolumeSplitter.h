// CVolumeSplitter: cuts a single-volume archive into volumes. The reader goes on to the next
// volume only while it reads member data of a member whose continuation flag is set, so
// every cut falls strictly inside some member's data (at least one byte of it on each side),
// never at an entry boundary and never inside a header; the flag is set on each member that
// is cut. A volume therefore ends a little under its capacity when a cut at the very end
// would not be inside data.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

// Where the members lie in the archive body (everything after the 8-byte header).
struct CMemberExtent {
    int64_t m_nDataStart; // body offset of the first data byte
    uint32_t m_nPackedSize;
};

// Thrown when the members cannot be cut at the capacity asked for (for example a run of
// empty stored members longer than a volume).
class CVolumeSizeError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class CVolumeSplitter {
public:
    // Every volume holds at most volumeBytes bytes, its own 8-byte header included.
    explicit CVolumeSplitter(int64_t volumeBytes);
    virtual ~CVolumeSplitter();

    // The capacity of volume `index` (0 = first). Override for sets whose volumes differ.
    virtual int64_t VolumeCapacity(int index) const;

    // The body offsets at which volumes end, in order (empty: one volume holds it all).
    // Throws CVolumeSizeError.
    std::vector<int64_t> Plan(const std::vector<CMemberExtent>& members, int64_t bodySize) const;

    // Writes the volumes of the single-volume archive `source`, the first as
    // `firstVolume`, each next one named by the volume rule. Returns the paths written.
    // Throws CFileException, CMultiFileException (source not an archive), CVolumeSizeError.
    std::vector<std::string> Split(const std::string& source, const std::string& firstVolume);

private:
    int64_t m_nVolumeBytes;
};
