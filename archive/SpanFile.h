// CSpanFile: a CSetupFile whose Read and Write count the bytes passing through, keep a
// running checksum and cut the transfer at block and volume limits, calling the hooks
// OnBlockBoundary (read side: once per block of data read, for progress) and OnVolumeEnd
// (a volume is used up or a read came up short; the hook may open the next volume and
// return false to go on).
//
// Counts are kept in 64 bits so that they never wrap; the per-volume limits are relative to
// the counts at the moment the current volume was opened (the bases).
#pragma once

#include "archive/ArchiveChecksum.h"
#include "archive/SetupFile.h"

#include <cstdint>

class CSpanFile : public CSetupFile {
public:
    static constexpr int64_t kNoLimit = INT64_MAX;

    CSpanFile();
    ~CSpanFile() override;

    // Sets both bases to 0, then opens; the counts run on.
    bool Open(const std::string& fileName, unsigned openFlags,
              CFileException* error = nullptr) override;
    // Counted read: delivers up to count bytes, fewer only when OnVolumeEnd stopped it.
    // Adds what it delivered to the read count and the running checksum.
    unsigned Read(void* buffer, unsigned count) override;
    // Counted write: adds the bytes to the running checksum and writes them with RawWrite,
    // cut at block and volume limits; OnVolumeEnd is called when the volume is full.
    void Write(const void* buffer, unsigned count) override;

    // Opens the next volume for binary reading; the bases become the current counts.
    // Throws CFileException when it cannot be opened.
    virtual void ReopenContinuing(const std::string& path);
    // The stream read: no counting, no checksum, no hooks. 0 when no file is open.
    virtual unsigned RawRead(void* buffer, unsigned count);
    // The CSetupFile write with the disk-full rule: no counting, no checksum.
    virtual void RawWrite(const void* buffer, unsigned count);
    // Called after each block of data read (block size 0: never). Does nothing here.
    virtual void OnBlockBoundary();
    // Called when the volume's room is used up or a read came up short. True stops the
    // transfer; false means the hook made more bytes available. Here: true.
    virtual bool OnVolumeEnd();

    void SetBlockSize(int32_t size) { m_nBlockSize = size; }
    void SetVolumeLimit(int64_t limit) { m_nVolumeLimit = limit; }
    int64_t GetReadCount() const { return m_nReadCount; }
    int64_t GetWriteCount() const { return m_nWriteCount; }
    uint32_t GetChecksum() const { return m_checksum.Value(); }
    void ResetWriteCount() {
        m_nWriteCount = 0;
        m_nWriteBase = 0;
    }
    void ResetChecksum() { m_checksum.Reset(0); }

protected:
    int32_t m_nBlockSize;
    int64_t m_nVolumeLimit;
    int64_t m_nReadCount;
    int64_t m_nWriteCount;
    CArchiveChecksum m_checksum;
    int64_t m_nReadBase;
    int64_t m_nWriteBase;

private:
    int64_t VolumeRoom(int64_t count, int64_t base) const;
    int64_t BlockRoom(int64_t count) const;
};
