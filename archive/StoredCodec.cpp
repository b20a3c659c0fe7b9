#include "archive/StoredCodec.h"

#include <algorithm>

CStoredCodec::CStoredCodec() : m_pBuffer(new uint8_t[kBufferSize]) {}

CStoredCodec::~CStoredCodec() = default;

void CStoredCodec::DoCompress() {
    for (;;) {
        unsigned n = ReadBlock(m_pBuffer.get(), kBufferSize);
        if (n == 0)
            return;
        WriteBlock(m_pBuffer.get(), n);
    }
}

void CStoredCodec::DoExpand(uint32_t packedSize, uint32_t /*expandedSize*/) {
    uint32_t remaining = packedSize;
    while (remaining > 0) {
        unsigned n = ReadBlock(m_pBuffer.get(), std::min<uint32_t>(remaining, kBufferSize));
        if (n == 0)
            ThrowFileException(CFileException::endOfFile, -1, m_pSource->GetFilePath());
        WriteBlock(m_pBuffer.get(), n);
        remaining -= n;
    }
}
