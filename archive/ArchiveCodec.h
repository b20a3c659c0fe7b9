// The codecs that move one member's bytes between two files: the base CArchiveCodec, and
// CheckZlibResult, which turns a zlib result into the program's exceptions.
//
// A codec owns neither file. It reads only through the source's virtual Read and writes only
// through the destination's virtual Write, so the archive's counted read (volumes, checksum,
// progress) and the entry's counted write (checksum) see every byte. The abort flag is not
// polled: a codec always runs to the end of its member and the caller examines the flag.
#pragma once

#include "framework/File.h"

#include <cstdint>
#include <memory>

class CArchiveCodec {
public:
    CArchiveCodec();
    CArchiveCodec(const CArchiveCodec&) = delete;
    CArchiveCodec& operator=(const CArchiveCodec&) = delete;
    virtual ~CArchiveCodec();

    virtual void Abort() { m_nAbort = 1; }
    bool WasAborted() const { return m_nAbort != 0; }

    // One byte from the source, or -1 when it has no more.
    virtual int ReadByte();
    // The source's Read; returns the count read (0 at its end).
    virtual unsigned ReadBlock(void* buffer, unsigned count);
    virtual void WriteByte(uint8_t byte);
    virtual void WriteBlock(const void* buffer, unsigned count);

    // Compresses everything the source delivers into the destination.
    // Throws what the files throw, CZLibException, CMemoryException.
    virtual void Compress(CFile& source, CFile& destination);
    // Expands one member: packedSize bytes are available from the source, expandedSize is
    // what the header announces. Throws what the files throw, CZLibException,
    // CMemoryException, CFileException (end of file) for short stored data.
    virtual void Expand(CFile& source, CFile& destination, uint32_t packedSize,
                        uint32_t expandedSize);

protected:
    virtual void DoCompress() = 0;
    virtual void DoExpand(uint32_t packedSize, uint32_t expandedSize) = 0;

    CFile* m_pSource;
    CFile* m_pDestination;
    int m_nAbort;

private:
    // Clears the file references however the run ends.
    struct Binding;
};

// The codec of a method: 2 CStoredCodec, 4 CDeflateCodec, null for any other. The caller
// owns it.
std::unique_ptr<CArchiveCodec> CreateArchiveCodec(int32_t method);

// Does nothing for Z_OK and Z_STREAM_END; throws for everything else:
// Z_ERRNO -> CFileException from errno, Z_STREAM_ERROR -> CZLibException 2,
// Z_DATA_ERROR -> 3, Z_MEM_ERROR -> CMemoryException, Z_BUF_ERROR -> 4, other -> 1.
void CheckZlibResult(int code);
