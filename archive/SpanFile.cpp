#include "archive/SpanFile.h"

#include <algorithm>

CSpanFile::CSpanFile()
    : m_nBlockSize(0), m_nVolumeLimit(kNoLimit), m_nReadCount(0), m_nWriteCount(0), m_checksum(0),
      m_nReadBase(0), m_nWriteBase(0) {}

CSpanFile::~CSpanFile() = default;

bool CSpanFile::Open(const std::string& fileName, unsigned openFlags, CFileException* error) {
    m_nReadBase = 0;
    m_nWriteBase = 0;
    return CSetupFile::Open(fileName, openFlags, error);
}

int64_t CSpanFile::VolumeRoom(int64_t count, int64_t base) const {
    return std::max<int64_t>(0, m_nVolumeLimit - (count - base));
}

int64_t CSpanFile::BlockRoom(int64_t count) const {
    return m_nBlockSize <= 0 ? kNoLimit : m_nBlockSize - count % m_nBlockSize;
}

unsigned CSpanFile::Read(void* buffer, unsigned count) {
    uint8_t* out = static_cast<uint8_t*>(buffer);
    unsigned done = 0;
    while (done < count) {
        int64_t piece = count - done;
        piece = std::min(piece, VolumeRoom(m_nReadCount, m_nReadBase));
        piece = std::min(piece, BlockRoom(m_nReadCount));
        unsigned got = piece > 0 ? RawRead(out + done, static_cast<unsigned>(piece)) : 0;
        done += got;
        m_nReadCount += got;
        bool stop = false;
        if (VolumeRoom(m_nReadCount, m_nReadBase) == 0 && OnVolumeEnd())
            stop = true;
        else if (got > 0 && BlockRoom(m_nReadCount) == m_nBlockSize)
            OnBlockBoundary();
        if (stop)
            break;
        // A short read: this volume file has ended. Go on only if the hook opened the next.
        if (got != piece && OnVolumeEnd())
            break;
    }
    m_checksum.Update(buffer, done);
    return done;
}

void CSpanFile::Write(const void* buffer, unsigned count) {
    m_checksum.Update(buffer, count);
    const uint8_t* in = static_cast<const uint8_t*>(buffer);
    unsigned done = 0;
    while (done < count) {
        int64_t piece = count - done;
        int64_t room = VolumeRoom(m_nWriteCount, m_nWriteBase);
        if (room > 0)
            piece = std::min(piece, room);
        piece = std::min(piece, BlockRoom(m_nWriteCount));
        RawWrite(in + done, static_cast<unsigned>(piece));
        done += static_cast<unsigned>(piece);
        m_nWriteCount += piece;
        if (VolumeRoom(m_nWriteCount, m_nWriteBase) == 0)
            OnVolumeEnd(); // the writer's hook starts the next volume; the result is moot
    }
}

void CSpanFile::ReopenContinuing(const std::string& path) {
    OpenRead(path, true);
    m_nReadBase = m_nReadCount;
    m_nWriteBase = m_nWriteCount;
}

unsigned CSpanFile::RawRead(void* buffer, unsigned count) {
    if (m_pStream == nullptr)
        return 0;
    return CStdioFile::Read(buffer, count);
}

void CSpanFile::RawWrite(const void* buffer, unsigned count) {
    CSetupFile::Write(buffer, count);
}

void CSpanFile::OnBlockBoundary() {}

bool CSpanFile::OnVolumeEnd() {
    return true;
}
