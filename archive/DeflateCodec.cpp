#include "archive/DeflateCodec.h"

#include <algorithm>
#include <cstring>
#include <zlib.h>

namespace {

// Ends the zlib stream when a read, write or check throws half-way; the normal path ends
// it itself and checks the result.
class StreamGuard {
public:
    StreamGuard(z_stream& stream, int (*end)(z_stream*)) : m_stream(stream), m_end(end) {}
    ~StreamGuard() {
        if (m_end)
            m_end(&m_stream);
    }
    int End() {
        int (*end)(z_stream*) = m_end;
        m_end = nullptr;
        return end(&m_stream);
    }

private:
    z_stream& m_stream;
    int (*m_end)(z_stream*);
};

} // namespace

CDeflateCodec::CDeflateCodec()
    : m_pStream(new z_stream), m_pInput(new uint8_t[kBufferSize]),
      m_pOutput(new uint8_t[kBufferSize]) {
    std::memset(m_pStream.get(), 0, sizeof(z_stream));
    m_pStream->opaque = this; // zalloc and zfree stay empty: the library's own allocator
}

CDeflateCodec::~CDeflateCodec() = default;

void CDeflateCodec::WritePending() {
    unsigned pending = static_cast<unsigned>(m_pStream->next_out - m_pOutput.get());
    if (pending > 0)
        WriteBlock(m_pOutput.get(), pending);
    m_pStream->next_out = m_pOutput.get();
    m_pStream->avail_out = kBufferSize;
}

void CDeflateCodec::DoExpand(uint32_t packedSize, uint32_t expandedSize) {
    z_stream& zs = *m_pStream;
    zs.next_in = m_pInput.get();
    zs.avail_in = 0;
    CheckZlibResult(inflateInit(&zs));
    StreamGuard guard(zs, inflateEnd);
    zs.next_out = m_pOutput.get();
    zs.avail_out = kBufferSize;

    uint32_t bytesRead = 0;
    uint32_t produced = 0;
    while (produced != expandedSize) {
        if (zs.avail_in == 0) {
            unsigned n = ReadBlock(m_pInput.get(), std::min(packedSize - bytesRead, kBufferSize));
            bytesRead += n;
            zs.next_in = m_pInput.get();
            zs.avail_in = n; // 0 is allowed: inflate then reports the buffer error
        }
        unsigned pending = static_cast<unsigned>(zs.next_out - m_pOutput.get());
        if (pending == kBufferSize) {
            WritePending();
            pending = 0;
        }
        // Never more than the header announced, whatever the stream holds.
        zs.avail_out = std::min(kBufferSize - pending, expandedSize - produced);
        uInt before = zs.avail_out;
        int result = inflate(&zs, Z_NO_FLUSH);
        produced += before - zs.avail_out;
        if (result == Z_STREAM_END)
            break;
        CheckZlibResult(result);
    }
    WritePending();
    CheckZlibResult(guard.End());
}

void CDeflateCodec::DoCompress() {
    z_stream& zs = *m_pStream;
    zs.next_in = m_pInput.get();
    zs.avail_in = 0;
    CheckZlibResult(deflateInit(&zs, Z_DEFAULT_COMPRESSION));
    StreamGuard guard(zs, deflateEnd);
    zs.next_out = m_pOutput.get();
    zs.avail_out = kBufferSize;

    bool more = true;
    int result = Z_OK;
    do {
        if (zs.avail_in == 0 && more) {
            unsigned n = ReadBlock(m_pInput.get(), kBufferSize);
            zs.next_in = m_pInput.get();
            zs.avail_in = n;
            more = n != 0;
        }
        if (zs.avail_out == 0)
            WritePending();
        result = deflate(&zs, more ? Z_NO_FLUSH : Z_FINISH);
        CheckZlibResult(result);
    } while (more || result != Z_STREAM_END);
    WritePending();
    CheckZlibResult(guard.End());
}
