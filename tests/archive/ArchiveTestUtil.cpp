#include "ArchiveTestUtil.h"

#include "archive/ArchiveChecksum.h"

#include <algorithm>
#include <cstring>
#include <random>
#include <stdexcept>
#include <zlib.h>

Bytes MakeData(size_t size, uint32_t seed, bool text) {
    Bytes data(size);
    std::mt19937 random(seed);
    if (!text) {
        for (uint8_t& b : data)
            b = static_cast<uint8_t>(random());
        return data;
    }
    static const char* const kWords[] = {"archive ",  "member ", "volume ",    "diskette ",
                                         "setup\r\n", "0123 ",   "Shiftwell ", "data "};
    size_t i = 0;
    while (i < size) {
        const char* word = kWords[random() % 8];
        for (size_t k = 0; word[k] && i < size; ++k)
            data[i++] = static_cast<uint8_t>(word[k]);
    }
    return data;
}

Bytes ReadWholeFile(const std::string& path) {
    if (!FileExists(path))
        throw std::runtime_error("cannot read " + path);
    const std::string bytes = ReadFileBytes(path);
    return Bytes(bytes.begin(), bytes.end());
}

void WriteWholeFile(const std::string& path, const Bytes& bytes) {
    WriteFileBytes(path, std::string(bytes.begin(), bytes.end()));
}

Bytes ZlibCompress(const Bytes& data) {
    uLongf size = compressBound(static_cast<uLong>(data.size()));
    Bytes out(size);
    if (compress2(out.data(), &size, data.data(), static_cast<uLong>(data.size()),
                  Z_DEFAULT_COMPRESSION) != Z_OK)
        throw std::runtime_error("compress2 failed");
    out.resize(size);
    return out;
}

uint32_t ReferenceChecksum(const Bytes& data) {
    uint32_t value = 0;
    for (uint8_t b : data) {
        uint32_t c = (value ^ b) & 0xFF;
        for (int k = 0; k < 8; ++k)
            c = (c & 1) ? (c >> 1) ^ 0xEDB88320u : c >> 1;
        value = c ^ ((value >> 6) & 0x00FFFFFFu);
    }
    return value;
}

TestMember::TestMember(const std::string& name, const Bytes& data, int32_t method)
    : header(CEntryHeader::Make()), packed(method == kMethodDeflate ? ZlibCompress(data) : data) {
    header.SetName(name);
    header.SetMethod(method);
    header.SetTime(1000000000);
    header.SetExpandedSize(static_cast<uint32_t>(data.size()));
    header.SetPackedSize(static_cast<uint32_t>(packed.size()));
    header.SetChecksum(ReferenceChecksum(data));
    header.SetAttributes(kAttrArchive);
}

Bytes BuildArchive(const std::vector<TestMember>& members) {
    CArchiveHeader archiveHeader = CArchiveHeader::Make();
    Bytes out(archiveHeader.m_bytes, archiveHeader.m_bytes + sizeof archiveHeader.m_bytes);
    for (const TestMember& m : members) {
        out.insert(out.end(), m.header.m_bytes, m.header.m_bytes + sizeof m.header.m_bytes);
        out.insert(out.end(), m.packed.begin(), m.packed.end());
    }
    return out;
}

unsigned CMemoryFile::Read(void* buffer, unsigned count) {
    ++m_reads;
    size_t n = std::min<size_t>({count, m_maxRead, m_data.size() - m_position});
    if (n > 0)
        std::memcpy(buffer, m_data.data() + m_position, n);
    m_position += n;
    return static_cast<unsigned>(n);
}

void CMemoryFile::Write(const void* buffer, unsigned count) {
    const uint8_t* p = static_cast<const uint8_t*>(buffer);
    m_data.insert(m_data.end(), p, p + count);
}
