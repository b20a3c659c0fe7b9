#include "archive/ArchiveCodec.h"

#include "archive/ArchiveExceptions.h"
#include "archive/ArchiveFormat.h"
#include "archive/DeflateCodec.h"
#include "archive/StoredCodec.h"

#include <cerrno>
#include <zlib.h>

struct CArchiveCodec::Binding {
    Binding(CArchiveCodec& codec, CFile& source, CFile& destination) : m_codec(codec) {
        m_codec.m_nAbort = 0;
        m_codec.m_pSource = &source;
        m_codec.m_pDestination = &destination;
    }
    ~Binding() {
        m_codec.m_pSource = nullptr;
        m_codec.m_pDestination = nullptr;
    }
    CArchiveCodec& m_codec;
};

CArchiveCodec::CArchiveCodec() : m_pSource(nullptr), m_pDestination(nullptr), m_nAbort(0) {}

CArchiveCodec::~CArchiveCodec() = default;

int CArchiveCodec::ReadByte() {
    uint8_t byte = 0;
    return ReadBlock(&byte, 1) == 1 ? byte : -1;
}

unsigned CArchiveCodec::ReadBlock(void* buffer, unsigned count) {
    return m_pSource->Read(buffer, count);
}

void CArchiveCodec::WriteByte(uint8_t byte) {
    WriteBlock(&byte, 1);
}

void CArchiveCodec::WriteBlock(const void* buffer, unsigned count) {
    m_pDestination->Write(buffer, count);
}

void CArchiveCodec::Compress(CFile& source, CFile& destination) {
    Binding binding(*this, source, destination);
    DoCompress();
}

void CArchiveCodec::Expand(CFile& source, CFile& destination, uint32_t packedSize,
                           uint32_t expandedSize) {
    Binding binding(*this, source, destination);
    DoExpand(packedSize, expandedSize);
}

std::unique_ptr<CArchiveCodec> CreateArchiveCodec(int32_t method) {
    switch (method) {
    case kMethodStored:
        return std::make_unique<CStoredCodec>();
    case kMethodDeflate:
        return std::make_unique<CDeflateCodec>();
    default:
        return nullptr;
    }
}

void CheckZlibResult(int code) {
    switch (code) {
    case Z_OK:
    case Z_STREAM_END:
        return;
    case Z_ERRNO:
        CFileException::ThrowErrno(errno);
    case Z_STREAM_ERROR:
        throw CZLibException(kZLibStreamError);
    case Z_DATA_ERROR:
        throw CZLibException(kZLibDataError);
    case Z_MEM_ERROR:
        ThrowMemoryException();
    case Z_BUF_ERROR:
        throw CZLibException(kZLibBufferError);
    default:
        throw CZLibException(kZLibUnknownError);
    }
}
