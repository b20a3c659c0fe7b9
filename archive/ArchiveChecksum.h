// The 32-bit checksum of archive member data. It uses the reflected CRC-32 table, but the
// running value is shifted right by 6 bits per byte, not 8, with no final inversion:
// archives depend on exactly this function ("abc" gives 0x3E105F31).
#pragma once

#include <cstddef>
#include <cstdint>

class CArchiveChecksum {
public:
    explicit CArchiveChecksum(uint32_t initial = 0);

    void Update(const void* buffer, size_t length);
    uint32_t Value() const { return m_nValue; }
    void Reset(uint32_t value = 0) { m_nValue = value; }

private:
    uint32_t m_nValue;
};
