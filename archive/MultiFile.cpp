#include "archive/MultiFile.h"

#include "archive/ArchiveExceptions.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace {

// A destination that only counts and checksums.
class CDiscardFile : public CSpanFile {
public:
    void RawWrite(const void*, unsigned) override {}
};

// Clears the reader's notion of the current member however the member ends.
class CurrentEntryScope {
public:
    CurrentEntryScope(CMultiFileEntry*& slot, CMultiFileEntry& entry) : m_slot(slot) {
        m_slot = &entry;
    }
    ~CurrentEntryScope() { m_slot = nullptr; }

private:
    CMultiFileEntry*& m_slot;
};

} // namespace

CMultiFile::CMultiFile() : m_pCurrentEntry(nullptr), m_nFirstEntryPosition(0), m_nVolume(0) {
    m_nBlockSize = kBlockSize;
}

CMultiFile::~CMultiFile() = default;

void CMultiFile::Abort() {
    if (m_pCodec)
        m_pCodec->Abort();
}

std::unique_ptr<CMultiFileEntry> CMultiFile::CreateEntry() {
    return std::make_unique<CMultiFileEntry>(m_nFirstEntryPosition);
}

std::unique_ptr<CArchiveCodec> CMultiFile::CreateCodec(int32_t method, int32_t /*parameter*/) {
    return CreateArchiveCodec(method);
}

void CMultiFile::UseLargeReadBuffer() {
    // Fewer, larger reads from the volume; the 4096-byte pieces come out of this buffer.
    if (m_pStream != nullptr)
        std::setvbuf(m_pStream, nullptr, _IOFBF, kReadBufferSize);
}

void CMultiFile::OpenArchive(const std::string& path) {
    OpenRead(path, true);
    UseLargeReadBuffer();
    m_nVolume = 1;
    ReadArchiveHeader();
    m_nFirstEntryPosition = static_cast<int64_t>(GetPosition());
}

void CMultiFile::ReadArchiveHeader() {
    CArchiveHeader header;
    if (RawRead(header.m_bytes, sizeof header.m_bytes) != sizeof header.m_bytes)
        ThrowFileException(CFileException::endOfFile, -1, GetPathText());
    if (!header.HasMagic())
        throw CMultiFileException(kMultiFileNotArchive);
}

bool CMultiFile::ReadEntryHeader(CMultiFileEntry& entry, bool seek) {
    if (entry.GetHeaderPosition() == 0)
        entry.SetHeaderPosition(m_nFirstEntryPosition);
    if (m_pStream == nullptr)
        return false; // the volume hook closed the last volume: nothing follows
    if (seek)
        Seek(entry.GetHeaderPosition() - m_nReadBase, begin);
    CEntryHeader& header = entry.Header();
    if (RawRead(header.m_bytes, sizeof header.m_bytes) != sizeof header.m_bytes)
        return false;
    if (!header.HasMagic())
        throw CMultiFileException(kMultiFileMissingEntryHeader);
    entry.TakeTextsFromHeader();
    entry.SetHeaderPosition(entry.GetHeaderPosition() +
                            static_cast<int64_t>(ArchiveLayout::kEntryHeaderSize) +
                            header.GetPackedSize());
    return true;
}

bool CMultiFile::RunCodec(CMultiFileEntry& entry, CFile& destination) {
    const CEntryHeader& header = entry.Header();
    m_pCodec = CreateCodec(header.GetMethod(), header.GetParameter());
    if (!m_pCodec)
        throw CMultiFileException(kMultiFileUnknownMethod);
    struct CodecScope {
        std::unique_ptr<CArchiveCodec>& codec;
        ~CodecScope() { codec.reset(); }
    } codecScope{m_pCodec};
    CurrentEntryScope entryScope(m_pCurrentEntry, entry);
    int64_t readBefore = m_nReadCount;
    m_pCodec->Expand(*this, destination, header.GetPackedSize(), header.GetExpandedSize());
    DiscardRest(header.GetPackedSize(), readBefore);
    return m_pCodec->WasAborted();
}

void CMultiFile::DiscardRest(uint32_t packedSize, int64_t readBefore) {
    int64_t left = static_cast<int64_t>(packedSize) - (m_nReadCount - readBefore);
    uint8_t buffer[kBlockSize];
    while (left > 0) {
        unsigned n = Read(buffer, static_cast<unsigned>(std::min<int64_t>(left, sizeof buffer)));
        if (n == 0)
            return; // the data ends early; the next header read finds the end
        left -= n;
    }
}

void CMultiFile::Extract(CMultiFileEntry& entry) {
    entry.OpenOutput();
    bool aborted = false;
    try {
        aborted = RunCodec(entry, entry);
    } catch (...) {
        entry.Abort(); // close it, so that the caller can remove it
        throw;
    }
    entry.ApplyStatus(); // closes the output
    if (aborted)
        ThrowUserException();
    uint32_t expected = entry.Header().GetChecksum();
    if (expected != 0 && expected != entry.GetChecksum())
        throw CMultiFileException(kMultiFileChecksumMismatch);
}

void CMultiFile::Test(CMultiFileEntry& entry) {
    CDiscardFile sink;
    if (RunCodec(entry, sink))
        ThrowUserException();
    uint32_t expected = entry.Header().GetChecksum();
    if (expected != 0 && expected != sink.GetChecksum())
        throw CMultiFileException(kMultiFileChecksumMismatch);
}

void CMultiFile::SkipData(CMultiFileEntry& entry) {
    CurrentEntryScope entryScope(m_pCurrentEntry, entry);
    DiscardRest(entry.Header().GetPackedSize(), m_nReadCount);
}

bool CMultiFile::NextVolumePath(const std::string& path, std::string& next) {
    if (path.empty())
        return false;
    unsigned char last = static_cast<unsigned char>(path.back());
    unsigned char raised = static_cast<unsigned char>(last + 1);
    if (last == '\\' || last == '/' || last == ':' || raised == 0 || raised == '\\' ||
        raised == '/' || raised == ':')
        return false;
    next = path;
    next.back() = static_cast<char>(raised);
    return true;
}

bool CMultiFile::CurrentEntryRunsOn() const {
    return m_pCurrentEntry != nullptr && m_pCurrentEntry->Header().GetContinued() != 0;
}

void CMultiFile::OpenNextVolume(const std::string& path) {
    ReopenContinuing(path);
    UseLargeReadBuffer();
    ++m_nVolume;
    ReadArchiveHeader();
}

bool CFolderMultiFile::OnVolumeEnd() {
    CloseVolume();
    if (!CurrentEntryRunsOn())
        return true;
    std::string next;
    if (!NextVolumePath(GetPathText(), next))
        ThrowFileException(CFileException::badPath, -1, GetPathText());
    OpenNextVolume(next);
    return false;
}
