// Method 4: the member is one zlib stream (two-byte header, deflate data, Adler-32), made
// at the library's default level.
#pragma once

#include "archive/ArchiveCodec.h"

#include <memory>

struct z_stream_s;

class CDeflateCodec : public CArchiveCodec {
public:
    static constexpr unsigned kBufferSize = 4096;

    CDeflateCodec();
    ~CDeflateCodec() override;

protected:
    void DoCompress() override;
    // Inflates until expandedSize bytes came out or the stream ended, reading at most
    // packedSize bytes in chunks of up to 4096. Never writes more than expandedSize bytes.
    // Input that runs out gives CZLibException 4, bad data 3 (or 2).
    void DoExpand(uint32_t packedSize, uint32_t expandedSize) override;

private:
    void WritePending();

    std::unique_ptr<z_stream_s> m_pStream;
    std::unique_ptr<uint8_t[]> m_pInput;
    std::unique_ptr<uint8_t[]> m_pOutput;
};
