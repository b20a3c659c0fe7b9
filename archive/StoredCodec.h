// Method 2: the member's bytes are stored as they are.
#pragma once

#include "archive/ArchiveCodec.h"

#include <memory>

class CStoredCodec : public CArchiveCodec {
public:
    static constexpr unsigned kBufferSize = 16384;

    CStoredCodec();
    ~CStoredCodec() override;

protected:
    // Copies until the source is exhausted.
    void DoCompress() override;
    // Copies exactly packedSize bytes (expandedSize is not used); a source that ends
    // before that throws CFileException with cause endOfFile.
    void DoExpand(uint32_t packedSize, uint32_t expandedSize) override;

private:
    std::unique_ptr<uint8_t[]> m_pBuffer;
};
