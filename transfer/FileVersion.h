// CFileVersion: the version-information block of one file, or none. Win32 only; never
// throws except CMemoryException-like std::bad_alloc for the block.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class CFileVersion {
public:
    // Reads the file's version block; false when it has none (or cannot be read).
    bool Load(const std::string& path);
    bool HasBlock() const { return !m_block.empty(); }
    // The fixed file version's four parts; false when there is no block.
    bool GetVersion(uint16_t& major, uint16_t& minor, uint16_t& build, uint16_t& revision) const;
    // True only when this version is strictly greater, most significant part first.
    bool IsNewerThan(const CFileVersion& other) const;

private:
    std::vector<uint8_t> m_block; // size + 1 bytes while loaded
};
