#include "archive/ArchiveChecksum.h"

namespace {

struct ChecksumTable {
    uint32_t entries[256];
    ChecksumTable() {
        for (uint32_t n = 0; n < 256; ++n) {
            uint32_t c = n;
            for (int k = 0; k < 8; ++k)
                c = (c & 1) ? (c >> 1) ^ 0xEDB88320u : c >> 1;
            entries[n] = c;
        }
    }
};

// Built once, on first use, shared by every instance.
const uint32_t* Table() {
    static const ChecksumTable table;
    return table.entries;
}

} // namespace

CArchiveChecksum::CArchiveChecksum(uint32_t initial) : m_nValue(initial) {
    Table();
}

void CArchiveChecksum::Update(const void* buffer, size_t length) {
    const uint32_t* table = Table();
    const uint8_t* p = static_cast<const uint8_t*>(buffer);
    uint32_t value = m_nValue;
    for (size_t i = 0; i < length; ++i)
        value = table[(value ^ p[i]) & 0xFF] ^ ((value >> 6) & 0x00FFFFFFu);
    m_nValue = value;
}
