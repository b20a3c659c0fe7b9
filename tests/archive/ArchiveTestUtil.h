// Helpers for the archive tests: archives assembled byte by byte (independently of the
// writer), in-memory files for the codecs, and whole files as byte vectors (scratch folders
// come from the shared test support).
#pragma once

#include "TestFiles.h"

#include "archive/ArchiveFormat.h"
#include "framework/File.h"

#include <cstdint>
#include <string>
#include <vector>

using Bytes = std::vector<uint8_t>;

// Deterministic test data: `size` bytes, compressible when `text` is true.
Bytes MakeData(size_t size, uint32_t seed, bool text);
// The shared file helpers for byte vectors; a file that cannot be read throws.
Bytes ReadWholeFile(const std::string& path);
void WriteWholeFile(const std::string& path, const Bytes& bytes);
// zlib stream of `data` at the default level, made without the codec under test.
Bytes ZlibCompress(const Bytes& data);
// The archive checksum computed bit by bit from its definition.
uint32_t ReferenceChecksum(const Bytes& data);

// One member as it goes into a hand-made archive. The header is derived from `data` unless
// a field is overridden afterwards through `header`.
struct TestMember {
    TestMember(const std::string& name, const Bytes& data, int32_t method = kMethodStored);
    CEntryHeader header;
    Bytes packed;
};

// Archive bytes: "mflh" header, then each member's header and packed data.
Bytes BuildArchive(const std::vector<TestMember>& members);

// A CFile over a byte vector, for the codecs. Reads are cut to at most `maxRead` bytes per
// call to exercise short reads.
class CMemoryFile : public CFile {
public:
    explicit CMemoryFile(Bytes data = {}, unsigned maxRead = UINT32_MAX)
        : m_data(std::move(data)), m_maxRead(maxRead) {}
    unsigned Read(void* buffer, unsigned count) override;
    void Write(const void* buffer, unsigned count) override;
    Bytes m_data;
    size_t m_position = 0;
    unsigned m_maxRead;
    size_t m_reads = 0;
};
