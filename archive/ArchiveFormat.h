// The multi-file archive on disk, shared by the reader (archive/) and the tools (tools/).
//
//   volume file
//   +--------+---------------+-------------+---------------+-------------+--    --+
//   | 8      | 346           | packed size | 346           | packed size |  ...   |
//   | "mflh" | entry header  | member data | entry header  | member data |        |
//   +--------+---------------+-------------+---------------+-------------+--    --+
//   No table of contents, no end marker, no padding: the archive ends where the file
//   ends (a read of the next entry header that returns fewer than 346 bytes).
//
//   archive header, 8 bytes           entry header, 346 bytes
//   off size                          off size type
//     0  4  "mflh" (no zero)            0   4  chars   "mfen" (no zero)
//     4  4  reserved (written 0,        4   2  uint16  header version, written 1
//           never examined)             6   2  uint16  header size, written 346
//                                       8   4  int32   last-write time, s since 1970 UTC
//                                      12   4  -       reserved (written 0)
//                                      16 260  chars   member name, zero-terminated
//                                     276   4  uint32  expanded size
//                                     280   4  uint32  packed size (data bytes that follow)
//                                     284   4  uint32  checksum of the expanded data, 0 = none
//                                     288   4  -       reserved (written 0)
//                                     292   4  int32   method: 2 stored, 4 deflate (zlib)
//                                     296   4  int32   method parameter (unused, written 0)
//                                     300   2  int16   destination directory id, -1 = none
//                                     302   2  uint16  attributes; low byte applied on extract
//                                     304   2  uint16  continuation: data runs on in next volume
//                                     306  40  chars   descriptive text, zero-terminated
//
// All numbers are little-endian, all text is ANSI. A volume set repeats the 8-byte header
// at the start of every volume; a member whose data does not fit carries a nonzero
// continuation flag and its data runs on right after the next volume's header. Entry
// headers are never split. The next volume's name is this one's with the last character
// raised by one ("DATA.1" -> "DATA.2", "DATA.A" -> "DATA.B").
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

namespace ArchiveLayout {

constexpr size_t kArchiveHeaderSize = 8;
constexpr size_t kEntryHeaderSize = 346;
constexpr char kArchiveMagic[4] = {'m', 'f', 'l', 'h'};
constexpr char kEntryMagic[4] = {'m', 'f', 'e', 'n'};
constexpr uint16_t kHeaderVersion = 1;

// Entry header field offsets and widths.
constexpr size_t kMagicOffset = 0;
constexpr size_t kVersionOffset = 4;
constexpr size_t kHeaderSizeOffset = 6;
constexpr size_t kTimeOffset = 8;
constexpr size_t kReserved1Offset = 12;
constexpr size_t kNameOffset = 16;
constexpr size_t kNameBytes = 260;
constexpr size_t kExpandedSizeOffset = 276;
constexpr size_t kPackedSizeOffset = 280;
constexpr size_t kChecksumOffset = 284;
constexpr size_t kReserved2Offset = 288;
constexpr size_t kMethodOffset = 292;
constexpr size_t kParameterOffset = 296;
constexpr size_t kDestinationOffset = 300;
constexpr size_t kAttributesOffset = 302;
constexpr size_t kContinuedOffset = 304;
constexpr size_t kDescriptionOffset = 306;
constexpr size_t kDescriptionBytes = 40;

static_assert(kNameOffset + kNameBytes == kExpandedSizeOffset, "name field width");
static_assert(kDescriptionOffset + kDescriptionBytes == kEntryHeaderSize, "header size");

} // namespace ArchiveLayout

// Compression methods of the method field.
enum ArchiveMethod : int32_t {
    kMethodStored = 2,
    kMethodDeflate = 4,
};

// Little-endian field access on raw header bytes.
inline uint16_t LoadLE16(const uint8_t* p) {
    return static_cast<uint16_t>(p[0] | (p[1] << 8));
}
inline uint32_t LoadLE32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
           (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}
inline void StoreLE16(uint8_t* p, uint16_t v) {
    p[0] = static_cast<uint8_t>(v);
    p[1] = static_cast<uint8_t>(v >> 8);
}
inline void StoreLE32(uint8_t* p, uint32_t v) {
    p[0] = static_cast<uint8_t>(v);
    p[1] = static_cast<uint8_t>(v >> 8);
    p[2] = static_cast<uint8_t>(v >> 16);
    p[3] = static_cast<uint8_t>(v >> 24);
}

// The 8-byte header at the start of every volume.
struct CArchiveHeader {
    uint8_t m_bytes[ArchiveLayout::kArchiveHeaderSize] = {};

    // A header as the writer puts it: magic and four zero bytes.
    static CArchiveHeader Make() {
        CArchiveHeader header;
        std::memcpy(header.m_bytes, ArchiveLayout::kArchiveMagic, 4);
        return header;
    }
    bool HasMagic() const { return std::memcmp(m_bytes, ArchiveLayout::kArchiveMagic, 4) == 0; }
};

// The 346-byte entry header as raw bytes with typed field access. Text getters never read
// past their field, whether or not it holds a terminating zero.
struct CEntryHeader {
    uint8_t m_bytes[ArchiveLayout::kEntryHeaderSize] = {};

    // A blank header as a new entry gets it: magic, version 1, size 346, method stored,
    // destination 0, everything else 0.
    static CEntryHeader Make();

    bool HasMagic() const { return std::memcmp(m_bytes, ArchiveLayout::kEntryMagic, 4) == 0; }

    uint16_t GetVersion() const { return U16(ArchiveLayout::kVersionOffset); }
    uint16_t GetHeaderSize() const { return U16(ArchiveLayout::kHeaderSizeOffset); }
    int32_t GetTime() const { return static_cast<int32_t>(U32(ArchiveLayout::kTimeOffset)); }
    uint32_t GetExpandedSize() const { return U32(ArchiveLayout::kExpandedSizeOffset); }
    uint32_t GetPackedSize() const { return U32(ArchiveLayout::kPackedSizeOffset); }
    uint32_t GetChecksum() const { return U32(ArchiveLayout::kChecksumOffset); }
    int32_t GetMethod() const { return static_cast<int32_t>(U32(ArchiveLayout::kMethodOffset)); }
    int32_t GetParameter() const {
        return static_cast<int32_t>(U32(ArchiveLayout::kParameterOffset));
    }
    int16_t GetDestination() const {
        return static_cast<int16_t>(U16(ArchiveLayout::kDestinationOffset));
    }
    uint16_t GetAttributes() const { return U16(ArchiveLayout::kAttributesOffset); }
    uint16_t GetContinued() const { return U16(ArchiveLayout::kContinuedOffset); }
    // Up to the first zero, at most 260 characters.
    std::string GetName() const {
        return Text(ArchiveLayout::kNameOffset, ArchiveLayout::kNameBytes);
    }
    // Up to the first zero, at most 40 characters.
    std::string GetDescription() const {
        return Text(ArchiveLayout::kDescriptionOffset, ArchiveLayout::kDescriptionBytes);
    }

    void SetVersion(uint16_t v) { SetU16(ArchiveLayout::kVersionOffset, v); }
    void SetHeaderSize(uint16_t v) { SetU16(ArchiveLayout::kHeaderSizeOffset, v); }
    void SetTime(int32_t v) { SetU32(ArchiveLayout::kTimeOffset, static_cast<uint32_t>(v)); }
    void SetExpandedSize(uint32_t v) { SetU32(ArchiveLayout::kExpandedSizeOffset, v); }
    void SetPackedSize(uint32_t v) { SetU32(ArchiveLayout::kPackedSizeOffset, v); }
    void SetChecksum(uint32_t v) { SetU32(ArchiveLayout::kChecksumOffset, v); }
    void SetMethod(int32_t v) { SetU32(ArchiveLayout::kMethodOffset, static_cast<uint32_t>(v)); }
    void SetParameter(int32_t v) {
        SetU32(ArchiveLayout::kParameterOffset, static_cast<uint32_t>(v));
    }
    void SetDestination(int16_t v) {
        SetU16(ArchiveLayout::kDestinationOffset, static_cast<uint16_t>(v));
    }
    void SetAttributes(uint16_t v) { SetU16(ArchiveLayout::kAttributesOffset, v); }
    void SetContinued(uint16_t v) { SetU16(ArchiveLayout::kContinuedOffset, v); }
    // Both store at most the field width less one character, so the text stays
    // zero-terminated; the rest of the field is zero. False when the text was cut.
    bool SetName(const std::string& name) {
        return SetText(ArchiveLayout::kNameOffset, ArchiveLayout::kNameBytes, name);
    }
    bool SetDescription(const std::string& text) {
        return SetText(ArchiveLayout::kDescriptionOffset, ArchiveLayout::kDescriptionBytes, text);
    }

private:
    uint16_t U16(size_t offset) const { return LoadLE16(m_bytes + offset); }
    uint32_t U32(size_t offset) const { return LoadLE32(m_bytes + offset); }
    void SetU16(size_t offset, uint16_t v) { StoreLE16(m_bytes + offset, v); }
    void SetU32(size_t offset, uint32_t v) { StoreLE32(m_bytes + offset, v); }
    std::string Text(size_t offset, size_t width) const {
        const char* p = reinterpret_cast<const char*>(m_bytes + offset);
        size_t n = 0;
        while (n < width && p[n] != '\0')
            ++n;
        return std::string(p, n);
    }
    bool SetText(size_t offset, size_t width, const std::string& text) {
        size_t n = text.size() < width ? text.size() : width - 1;
        std::memset(m_bytes + offset, 0, width);
        std::memcpy(m_bytes + offset, text.data(), n);
        return n == text.size();
    }
};

inline CEntryHeader CEntryHeader::Make() {
    CEntryHeader header;
    std::memcpy(header.m_bytes, ArchiveLayout::kEntryMagic, 4);
    header.SetVersion(ArchiveLayout::kHeaderVersion);
    header.SetHeaderSize(static_cast<uint16_t>(ArchiveLayout::kEntryHeaderSize));
    header.SetMethod(kMethodStored);
    return header;
}
