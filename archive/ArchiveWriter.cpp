#include "archive/ArchiveWriter.h"

#include "archive/ArchiveCodec.h"
#include "archive/ArchiveExceptions.h"
#include "archive/MultiFileEntry.h"

#include <memory>

namespace {

int32_t ClampTime(time_t t) {
    if (t < 0)
        return 0;
    return t > INT32_MAX ? INT32_MAX : static_cast<int32_t>(t);
}

} // namespace

CArchiveWriter::CArchiveWriter() : m_nEnd(0) {}

CArchiveWriter::~CArchiveWriter() = default;

void CArchiveWriter::Create(const std::string& path) {
    m_strPath = path;
    m_file.OpenWrite(path, true);
    CArchiveHeader header = CArchiveHeader::Make();
    m_file.RawWrite(header.m_bytes, sizeof header.m_bytes);
    m_nEnd = sizeof header.m_bytes;
}

const CEntryHeader& CArchiveWriter::AddFile(const std::string& path, int32_t method,
                                            int16_t destination, const std::string& description,
                                            const std::string& memberName) {
    CFileStatus status;
    if (!CFile::GetStatus(path, status))
        ThrowFileException(CFileException::fileNotFound, -1, path);
    if (status.m_attribute & kAttrDirectory)
        ThrowFileException(CFileException::accessDenied, -1, path);
    if (status.m_size > UINT32_MAX)
        ThrowFileException(CFileException::invalidFile, -1, path);
    std::string name;
    size_t slash = path.find_last_of("\\/:");
    const std::string given = !memberName.empty()          ? memberName
                              : slash == std::string::npos ? path
                                                           : path.substr(slash + 1);
    if (!CMultiFileEntry::MakeInstallName(given, name) || name.size() >= ArchiveLayout::kNameBytes)
        ThrowFileException(CFileException::badPath, -1, path);
    std::unique_ptr<CArchiveCodec> codec = CreateArchiveCodec(method);
    if (!codec)
        throw CMultiFileException(kMultiFileUnknownMethod);

    m_header = CEntryHeader::Make();
    m_header.SetTime(ClampTime(status.m_mtime));
    m_header.SetName(name);
    m_header.SetMethod(method);
    m_header.SetDestination(destination);
    m_header.SetAttributes(status.m_attribute);
    m_header.SetDescription(description);
    const int64_t headerPosition = m_nEnd;
    m_file.RawWrite(m_header.m_bytes, sizeof m_header.m_bytes);

    CSpanFile source;
    source.OpenRead(path, true);
    const int64_t writtenBefore = m_file.GetWriteCount();
    codec->Compress(source, m_file);
    const int64_t packed = m_file.GetWriteCount() - writtenBefore;
    if (source.GetReadCount() > UINT32_MAX || packed > UINT32_MAX)
        ThrowFileException(CFileException::invalidFile, -1, path);
    m_header.SetExpandedSize(static_cast<uint32_t>(source.GetReadCount()));
    m_header.SetPackedSize(static_cast<uint32_t>(packed));
    m_header.SetChecksum(source.GetChecksum());
    m_nEnd += static_cast<int64_t>(sizeof m_header.m_bytes) + packed;
    PatchHeader(headerPosition);
    return m_header;
}

void CArchiveWriter::PatchHeader(int64_t position) {
    // Every write goes straight to the handle, so the handle's position is the one to move.
    m_file.CFile::Seek(position, CFile::begin);
    m_file.RawWrite(m_header.m_bytes, sizeof m_header.m_bytes);
    m_file.CFile::Seek(m_nEnd, CFile::begin);
}

void CArchiveWriter::Close() {
    m_file.Close();
}
