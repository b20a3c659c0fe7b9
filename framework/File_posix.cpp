#include "framework/File.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/time.h>
#include <unistd.h>

namespace {

long LastOsError() {
    return errno;
}

[[noreturn]] void ThrowLastError(const std::string& fileName) {
    CFileException::ThrowOsError(LastOsError(), fileName);
}

} // namespace

const CFile::Handle CFile::hFileNull = -1;

// ---------------------------------------------------------------------------------------------
// CFile: POSIX file descriptors

bool CFile::Open(const std::string& fileName, unsigned openFlags, CFileException* error) {
    if (m_hFile != hFileNull)
        CFile::Abort();
    m_strFileName = fileName;
    const unsigned access = openFlags & 3;
    int flags = access == modeRead ? O_RDONLY : access == modeWrite ? O_WRONLY : O_RDWR;
    if (openFlags & modeCreate) {
        flags |= O_CREAT;
        if (!(openFlags & modeNoTruncate))
            flags |= O_TRUNC;
    }
    flags |= O_CLOEXEC;
    int fd = ::open(fileName.c_str(), flags, 0666);
    if (fd < 0) {
        if (error)
            *error = CFileException(CFileException::ErrnoToCause(errno), errno, fileName);
        return false;
    }
    m_hFile = fd;
    return true;
}

CFile::NewFile CFile::CreateNew(const std::string& fileName, CFileException* error) {
    if (m_hFile != hFileNull)
        CFile::Abort();
    m_strFileName = fileName;
    int fd = ::open(fileName.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0) {
        m_hFile = fd;
        return NewFile::created;
    }
    long cause = LastOsError();
    struct stat existing;
    if (cause == EEXIST || ::stat(fileName.c_str(), &existing) == 0)
        return NewFile::nameTaken; // a folder of that name refuses differently
    if (error)
        *error = CFileException(CFileException::OsErrorToCause(cause), cause, fileName);
    return NewFile::failed;
}

bool CFile::RenameOpen(const std::string& newName) {
    (void)newName;
    return false;
}

unsigned CFile::Read(void* buffer, unsigned count) {
    if (count == 0)
        return 0;
    unsigned total = 0;
    while (total < count) {
        ssize_t n = ::read(m_hFile, static_cast<char*>(buffer) + total, count - total);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            ThrowLastError(m_strFileName);
        }
        if (n == 0)
            break;
        total += static_cast<unsigned>(n);
    }
    return total;
}

void CFile::Write(const void* buffer, unsigned count) {
    if (count == 0)
        return;
    unsigned total = 0;
    while (total < count) {
        ssize_t n = ::write(m_hFile, static_cast<const char*>(buffer) + total, count - total);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            ThrowLastError(m_strFileName);
        }
        if (n == 0)
            ThrowFileException(CFileException::diskFull, ENOSPC, m_strFileName);
        total += static_cast<unsigned>(n);
    }
}

uint64_t CFile::Seek(int64_t offset, unsigned from) {
    int whence = from == begin ? SEEK_SET : from == current ? SEEK_CUR : SEEK_END;
    off_t r = ::lseek(m_hFile, static_cast<off_t>(offset), whence);
    if (r < 0)
        ThrowLastError(m_strFileName);
    return static_cast<uint64_t>(r);
}

uint64_t CFile::GetLength() const {
    struct stat st;
    if (fstat(m_hFile, &st) != 0)
        ThrowLastError(m_strFileName);
    return static_cast<uint64_t>(st.st_size);
}

void CFile::SetLength(uint64_t length) {
    if (ftruncate(m_hFile, static_cast<off_t>(length)) != 0)
        ThrowLastError(m_strFileName);
}

void CFile::SetModifiedTime(time_t time) {
    struct timespec times[2];
    times[0].tv_sec = time;
    times[0].tv_nsec = 0;
    times[1] = times[0];
    if (::futimens(static_cast<int>(m_hFile), times) != 0)
        ThrowLastError(m_strFileName);
}

// Writes reach the descriptor unbuffered: nothing waits here.
void CFile::Flush() {
    if (m_hFile == hFileNull)
        return;
}

void CFile::Close() {
    if (m_hFile == hFileNull)
        return;
    Handle h = m_hFile;
    m_hFile = hFileNull;
    if (::close(h) != 0)
        ThrowLastError(m_strFileName);
}

void CFile::Abort() {
    if (m_hFile == hFileNull)
        return;
    ::close(m_hFile);
    m_hFile = hFileNull;
}

bool CFile::GetStatus(const std::string& fileName, CFileStatus& status) {
    struct stat st;
    if (::stat(fileName.c_str(), &st) != 0)
        return false;
    status.m_ctime = st.st_ctime;
    status.m_atime = st.st_atime;
    status.m_mtime = st.st_mtime;
    status.m_size = static_cast<uint64_t>(st.st_size);
    uint8_t attr = 0;
    if (S_ISDIR(st.st_mode))
        attr |= kAttrDirectory;
    if (!(st.st_mode & S_IWUSR))
        attr |= kAttrReadOnly;
    if (S_ISREG(st.st_mode))
        attr |= kAttrArchive;
    status.m_attribute = attr;
    char* real = ::realpath(fileName.c_str(), nullptr);
    status.m_szFullName = real ? real : fileName;
    free(real);
    return true;
}

void CFile::SetStatus(const std::string& fileName, const CFileStatus& status) {
    struct stat st;
    if (::stat(fileName.c_str(), &st) != 0)
        ThrowLastError(fileName);
    if (status.m_mtime != 0) {
        struct timeval tv[2];
        tv[0].tv_sec = status.m_mtime;
        tv[0].tv_usec = 0;
        tv[1] = tv[0];
        if (::utimes(fileName.c_str(), tv) != 0)
            ThrowLastError(fileName);
    }
    mode_t mode = st.st_mode & 07777;
    if (status.m_attribute & kAttrReadOnly)
        mode &= ~(S_IWUSR | S_IWGRP | S_IWOTH);
    else
        mode |= S_IWUSR;
    if (::chmod(fileName.c_str(), mode) != 0)
        ThrowLastError(fileName);
}

void CFile::Remove(const std::string& fileName) {
    if (::unlink(fileName.c_str()) != 0)
        ThrowLastError(fileName);
}

void CFile::Rename(const std::string& oldName, const std::string& newName) {
    if (::rename(oldName.c_str(), newName.c_str()) != 0)
        ThrowLastError(oldName);
}

// ---------------------------------------------------------------------------------------------
// CStdioFile: opening the stream on the handle, and 64-bit positions

bool CStdioFile::Open(const std::string& fileName, unsigned openFlags, CFileException* error) {
    if (m_pStream)
        Abort();
    if (!CFile::Open(fileName, openFlags, error))
        return false;
    const unsigned access = openFlags & 3;
    const bool text = (openFlags & typeText) != 0;
    std::string mode;
    if (access == modeRead)
        mode = "r";
    else if (access == modeWrite)
        mode = (openFlags & modeNoTruncate) ? "a" : "w";
    else
        mode = (openFlags & modeCreate) && !(openFlags & modeNoTruncate) ? "w+" : "r+";
    mode += text ? "t" : "b";
    if (text)
        mode.pop_back(); // POSIX streams have no text mode
    m_pStream = ::fdopen(static_cast<int>(m_hFile), mode.c_str());
    if (!m_pStream) {
        CFile::Abort();
        if (error)
            *error = CFileException(CFileException::tooManyOpenFiles, -1, fileName);
        return false;
    }
    return true;
}

uint64_t CStdioFile::Seek(int64_t offset, unsigned from) {
    int whence = from == begin ? SEEK_SET : from == current ? SEEK_CUR : SEEK_END;
    if (fseeko(m_pStream, static_cast<off_t>(offset), whence) != 0)
        ThrowFileException(CFileException::badSeek, errno, m_strFileName);
    return GetPosition();
}

uint64_t CStdioFile::GetPosition() const {
    int64_t pos = ftello(m_pStream);
    if (pos < 0)
        ThrowFileException(CFileException::invalidFile, errno, m_strFileName);
    return static_cast<uint64_t>(pos);
}
