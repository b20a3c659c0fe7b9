#include "archive/ArchiveChecksum.h"

namespace {

// One step is linear over GF(2): value' = A(value) ^ T[byte], where T is the CRC table and
// A(v) = T[v & 0xFF] ^ ((v >> 6) & 0x00FFFFFF). Eight steps therefore fold into
// A^8(value) ^ A^7(T[b0]) ^ ... ^ T[b7], and both parts come from byte-indexed tables: the
// same function, eight bytes at a time with independent lookups.
struct ChecksumTables {
    uint32_t step[256];      // T
    uint32_t value8[4][256]; // A^8 of each byte of the running value
    uint32_t byte8[8][256];  // A^(7-i) (T[x]) for the i-th of eight data bytes

    ChecksumTables() {
        for (uint32_t n = 0; n < 256; ++n) {
            uint32_t c = n;
            for (int k = 0; k < 8; ++k)
                c = (c & 1) ? (c >> 1) ^ 0xEDB88320u : c >> 1;
            step[n] = c;
        }
        for (uint32_t n = 0; n < 256; ++n) {
            for (int k = 0; k < 4; ++k) {
                uint32_t v = n << (8 * k);
                for (int i = 0; i < 8; ++i)
                    v = Advance(v);
                value8[k][n] = v;
            }
            uint32_t v = step[n];
            for (int i = 7; i >= 0; --i) {
                byte8[i][n] = v;
                v = Advance(v);
            }
        }
    }
    uint32_t Advance(uint32_t v) const { return step[v & 0xFF] ^ ((v >> 6) & 0x00FFFFFFu); }
};

// Built once, on first use, shared by every instance.
const ChecksumTables& Tables() {
    static const ChecksumTables tables;
    return tables;
}

} // namespace

CArchiveChecksum::CArchiveChecksum(uint32_t initial) : m_nValue(initial) {
    Tables();
}

void CArchiveChecksum::Update(const void* buffer, size_t length) {
    const ChecksumTables& t = Tables();
    const uint8_t* p = static_cast<const uint8_t*>(buffer);
    uint32_t value = m_nValue;
    for (; length >= 8; length -= 8, p += 8) {
        value = t.value8[0][value & 0xFF] ^ t.value8[1][(value >> 8) & 0xFF] ^
                t.value8[2][(value >> 16) & 0xFF] ^ t.value8[3][value >> 24] ^ t.byte8[0][p[0]] ^
                t.byte8[1][p[1]] ^ t.byte8[2][p[2]] ^ t.byte8[3][p[3]] ^ t.byte8[4][p[4]] ^
                t.byte8[5][p[5]] ^ t.byte8[6][p[6]] ^ t.byte8[7][p[7]];
    }
    for (; length > 0; --length, ++p)
        value = t.step[(value ^ *p) & 0xFF] ^ ((value >> 6) & 0x00FFFFFFu);
    m_nValue = value;
}
