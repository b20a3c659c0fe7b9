#include "framework/File.h"

#include <cerrno>
#include <climits>
#include <cstring>

#ifdef _WIN32
#include "framework/ui/Handle.h"

#include <fcntl.h>
#include <io.h>
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/time.h>
#include <unistd.h>
#endif

namespace {

#ifdef _WIN32
long LastOsError() {
    return static_cast<long>(GetLastError());
}

time_t FileTimeToUnix(const FILETIME& ft) {
    ULARGE_INTEGER v;
    v.LowPart = ft.dwLowDateTime;
    v.HighPart = ft.dwHighDateTime;
    const uint64_t epochDiff = 116444736000000000ULL; // 1601 to 1970 in 100 ns units
    if (v.QuadPart < epochDiff)
        return 0;
    return static_cast<time_t>((v.QuadPart - epochDiff) / 10000000ULL);
}

FILETIME UnixToFileTime(time_t t) {
    ULARGE_INTEGER v;
    v.QuadPart = static_cast<uint64_t>(t) * 10000000ULL + 116444736000000000ULL;
    FILETIME ft;
    ft.dwLowDateTime = v.LowPart;
    ft.dwHighDateTime = v.HighPart;
    return ft;
}
#else
long LastOsError() {
    return errno;
}
#endif

[[noreturn]] void ThrowLastError(const std::string& fileName) {
    CFileException::ThrowOsError(LastOsError(), fileName);
}

} // namespace

#ifdef _WIN32
const CFile::Handle CFile::hFileNull = INVALID_HANDLE_VALUE;
#else
const CFile::Handle CFile::hFileNull = -1;
#endif

CFile::CFile() : m_hFile(hFileNull) {}

CFile::~CFile() {
    if (m_hFile != hFileNull)
        CFile::Abort();
}

bool CFile::Open(const std::string& fileName, unsigned openFlags, CFileException* error) {
    if (m_hFile != hFileNull)
        CFile::Abort();
    m_strFileName = fileName;
    const unsigned access = openFlags & 3;
#ifdef _WIN32
    DWORD desired = access == modeRead    ? GENERIC_READ
                    : access == modeWrite ? GENERIC_WRITE
                                          : GENERIC_READ | GENERIC_WRITE;
    DWORD share;
    switch (openFlags & 0x70) {
    case shareExclusive:
        share = 0;
        break;
    case shareDenyWrite:
        share = FILE_SHARE_READ;
        break;
    case shareDenyRead:
        share = FILE_SHARE_WRITE;
        break;
    default:
        share = FILE_SHARE_READ | FILE_SHARE_WRITE;
        break;
    }
    DWORD disposition = OPEN_EXISTING;
    if (openFlags & modeCreate)
        disposition = (openFlags & modeNoTruncate) ? OPEN_ALWAYS : CREATE_ALWAYS;
    SECURITY_ATTRIBUTES sa = {sizeof(sa), nullptr, (openFlags & modeNoInherit) ? FALSE : TRUE};
    HANDLE h = CreateFileA(fileName.c_str(), desired, share, &sa, disposition,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        if (error)
            *error = CFileException(CFileException::OsErrorToCause(LastOsError()), LastOsError(),
                                    fileName);
        return false;
    }
    m_hFile = h;
#else
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
#endif
    return true;
}

CFile::NewFile CFile::CreateNew(const std::string& fileName, CFileException* error) {
    if (m_hFile != hFileNull)
        CFile::Abort();
    m_strFileName = fileName;
#ifdef _WIN32
    // DELETE access lets RenameOpen move the file while it is open.
    HANDLE h = CreateFileA(fileName.c_str(), GENERIC_READ | GENERIC_WRITE | DELETE, 0, nullptr,
                           CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h != INVALID_HANDLE_VALUE) {
        m_hFile = h;
        return NewFile::created;
    }
    long cause = LastOsError();
    if (cause == ERROR_FILE_EXISTS || cause == ERROR_ALREADY_EXISTS ||
        GetFileAttributesA(fileName.c_str()) != INVALID_FILE_ATTRIBUTES)
        return NewFile::nameTaken; // a folder of that name refuses differently
#else
    int fd = ::open(fileName.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0) {
        m_hFile = fd;
        return NewFile::created;
    }
    long cause = LastOsError();
    struct stat existing;
    if (cause == EEXIST || ::stat(fileName.c_str(), &existing) == 0)
        return NewFile::nameTaken; // a folder of that name refuses differently
#endif
    if (error)
        *error = CFileException(CFileException::OsErrorToCause(cause), cause, fileName);
    return NewFile::failed;
}

#ifdef _WIN32
namespace {
// FILE_RENAME_INFO, which the headers declare only for newer Windows versions.
struct RenameInfo {
    BOOLEAN replaceIfExists;
    HANDLE rootDirectory;
    DWORD fileNameLength; // bytes, without the terminating zero
    WCHAR fileName[MAX_PATH + 8];
};
constexpr int kFileRenameInfo = 3;
using SetFileInformationByHandleProc = BOOL(WINAPI*)(HANDLE, int, void*, DWORD);
} // namespace
#endif

bool CFile::RenameOpen(const std::string& newName) {
#ifdef _WIN32
    // Renaming through the handle saves opening the file by name again (each open is a
    // round trip to the server under some systems). Systems before Vista lack the call.
    static const auto setInformation =
        reinterpret_cast<SetFileInformationByHandleProc>(reinterpret_cast<void*>(
            GetProcAddress(GetModuleHandleA("kernel32.dll"), "SetFileInformationByHandle")));
    if (setInformation == nullptr || m_hFile == hFileNull)
        return false;
    char full[MAX_PATH];
    DWORD length = GetFullPathNameA(newName.c_str(), MAX_PATH, full, nullptr);
    if (length == 0 || length >= MAX_PATH)
        return false;
    RenameInfo info = {};
    info.replaceIfExists = FALSE;
    // The kernel takes the name as it is: an NT path of the DOS name.
    const WCHAR prefix[] = {L'\\', L'?', L'?', L'\\'};
    const int prefixLength = 4;
    memcpy(info.fileName, prefix, sizeof prefix);
    int wide = MultiByteToWideChar(CP_ACP, 0, full, static_cast<int>(length),
                                   info.fileName + prefixLength, MAX_PATH);
    if (wide <= 0)
        return false;
    info.fileNameLength = static_cast<DWORD>((prefixLength + wide) * sizeof(WCHAR));
    if (!setInformation(m_hFile, kFileRenameInfo, &info, sizeof info))
        return false;
    m_strFileName = newName;
    return true;
#else
    (void)newName;
    return false;
#endif
}

unsigned CFile::Read(void* buffer, unsigned count) {
    if (count == 0)
        return 0;
#ifdef _WIN32
    DWORD done = 0;
    if (!ReadFile(m_hFile, buffer, count, &done, nullptr))
        ThrowLastError(m_strFileName);
    return done;
#else
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
#endif
}

void CFile::Write(const void* buffer, unsigned count) {
    if (count == 0)
        return;
#ifdef _WIN32
    DWORD done = 0;
    if (!WriteFile(m_hFile, buffer, count, &done, nullptr))
        ThrowLastError(m_strFileName);
    if (done < count)
        ThrowFileException(CFileException::diskFull, ERROR_DISK_FULL, m_strFileName);
#else
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
#endif
}

uint64_t CFile::Seek(int64_t offset, unsigned from) {
#ifdef _WIN32
    LARGE_INTEGER dist, result;
    dist.QuadPart = offset;
    DWORD method = from == begin ? FILE_BEGIN : from == current ? FILE_CURRENT : FILE_END;
    if (!SetFilePointerEx(m_hFile, dist, &result, method))
        ThrowLastError(m_strFileName);
    return static_cast<uint64_t>(result.QuadPart);
#else
    int whence = from == begin ? SEEK_SET : from == current ? SEEK_CUR : SEEK_END;
    off_t r = ::lseek(m_hFile, static_cast<off_t>(offset), whence);
    if (r < 0)
        ThrowLastError(m_strFileName);
    return static_cast<uint64_t>(r);
#endif
}

uint64_t CFile::GetPosition() const {
    return const_cast<CFile*>(this)->CFile::Seek(0, current);
}

uint64_t CFile::GetLength() const {
#ifdef _WIN32
    LARGE_INTEGER size;
    if (!GetFileSizeEx(m_hFile, &size))
        ThrowLastError(m_strFileName);
    return static_cast<uint64_t>(size.QuadPart);
#else
    struct stat st;
    if (fstat(m_hFile, &st) != 0)
        ThrowLastError(m_strFileName);
    return static_cast<uint64_t>(st.st_size);
#endif
}

void CFile::SetLength(uint64_t length) {
#ifdef _WIN32
    Seek(static_cast<int64_t>(length), begin);
    if (!SetEndOfFile(m_hFile))
        ThrowLastError(m_strFileName);
#else
    if (ftruncate(m_hFile, static_cast<off_t>(length)) != 0)
        ThrowLastError(m_strFileName);
#endif
}

void CFile::SetModifiedTime(time_t time) {
#ifdef _WIN32
    FILETIME ft = UnixToFileTime(time);
    if (!SetFileTime(m_hFile, nullptr, nullptr, &ft))
        ThrowLastError(m_strFileName);
#else
    struct timespec times[2];
    times[0].tv_sec = time;
    times[0].tv_nsec = 0;
    times[1] = times[0];
    if (::futimens(static_cast<int>(m_hFile), times) != 0)
        ThrowLastError(m_strFileName);
#endif
}

void CFile::Flush() {
    if (m_hFile == hFileNull)
        return;
#ifdef _WIN32
    if (!FlushFileBuffers(m_hFile))
        ThrowLastError(m_strFileName);
#endif
}

void CFile::Close() {
    if (m_hFile == hFileNull)
        return;
    Handle h = m_hFile;
    m_hFile = hFileNull;
#ifdef _WIN32
    if (!CloseHandle(h))
        ThrowLastError(m_strFileName);
#else
    if (::close(h) != 0)
        ThrowLastError(m_strFileName);
#endif
}

void CFile::Abort() {
    if (m_hFile == hFileNull)
        return;
#ifdef _WIN32
    CloseHandle(m_hFile);
#else
    ::close(m_hFile);
#endif
    m_hFile = hFileNull;
}

bool CFile::GetStatus(const std::string& fileName, CFileStatus& status) {
#ifdef _WIN32
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(fileName.c_str(), GetFileExInfoStandard, &data))
        return false;
    status.m_ctime = FileTimeToUnix(data.ftCreationTime);
    status.m_atime = FileTimeToUnix(data.ftLastAccessTime);
    status.m_mtime = FileTimeToUnix(data.ftLastWriteTime);
    status.m_size = (static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    status.m_attribute = static_cast<uint8_t>(data.dwFileAttributes & 0xFF);
    char full[MAX_PATH];
    DWORD n = GetFullPathNameA(fileName.c_str(), MAX_PATH, full, nullptr);
    status.m_szFullName = (n > 0 && n < MAX_PATH) ? std::string(full, n) : fileName;
#else
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
#endif
    return true;
}

void CFile::SetStatus(const std::string& fileName, const CFileStatus& status) {
#ifdef _WIN32
    // A read-only file refuses the time change: clear the attributes first.
    if (!SetFileAttributesA(fileName.c_str(), FILE_ATTRIBUTE_NORMAL))
        ThrowLastError(fileName);
    if (status.m_mtime != 0) {
        CHandle file(CreateFileA(fileName.c_str(), FILE_WRITE_ATTRIBUTES,
                                 FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                 FILE_FLAG_BACKUP_SEMANTICS, nullptr));
        if (!file.IsValid())
            ThrowLastError(fileName);
        FILETIME ft = UnixToFileTime(status.m_mtime);
        if (!SetFileTime(file.Get(), nullptr, nullptr, &ft))
            ThrowLastError(fileName); // the handle is closed by the unwinding
    }
    DWORD attr = status.m_attribute & ~(kAttrDirectory);
    if (attr == 0)
        attr = FILE_ATTRIBUTE_NORMAL;
    if (!SetFileAttributesA(fileName.c_str(), attr))
        ThrowLastError(fileName);
#else
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
#endif
}

void CFile::Remove(const std::string& fileName) {
#ifdef _WIN32
    if (!DeleteFileA(fileName.c_str()))
        ThrowLastError(fileName);
#else
    if (::unlink(fileName.c_str()) != 0)
        ThrowLastError(fileName);
#endif
}

void CFile::Rename(const std::string& oldName, const std::string& newName) {
#ifdef _WIN32
    if (!MoveFileA(oldName.c_str(), newName.c_str()))
        ThrowLastError(oldName);
#else
    if (::rename(oldName.c_str(), newName.c_str()) != 0)
        ThrowLastError(oldName);
#endif
}

// ---------------------------------------------------------------------------------------------

CStdioFile::CStdioFile() : m_pStream(nullptr) {}

CStdioFile::~CStdioFile() {
    if (m_pStream)
        CStdioFile::Abort();
}

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
#ifdef _WIN32
    int fd = _open_osfhandle(reinterpret_cast<intptr_t>(m_hFile),
                             (text ? _O_TEXT : _O_BINARY) | (access == modeRead ? _O_RDONLY : 0));
    if (fd < 0) {
        CFile::Abort();
        if (error)
            *error = CFileException(CFileException::tooManyOpenFiles, -1, fileName);
        return false;
    }
    m_pStream = _fdopen(fd, mode.c_str());
    if (!m_pStream) {
        _close(fd);
        m_hFile = hFileNull;
#else
    if (text)
        mode.pop_back(); // POSIX streams have no text mode
    m_pStream = ::fdopen(static_cast<int>(m_hFile), mode.c_str());
    if (!m_pStream) {
        CFile::Abort();
#endif
        if (error)
            *error = CFileException(CFileException::tooManyOpenFiles, -1, fileName);
        return false;
    }
    return true;
}

unsigned CStdioFile::Read(void* buffer, unsigned count) {
    if (count == 0)
        return 0;
    size_t n = fread(buffer, 1, count, m_pStream);
    if (n < count && ferror(m_pStream)) {
        clearerr(m_pStream);
        ThrowFileException(CFileException::genericException, errno, m_strFileName);
    }
    return static_cast<unsigned>(n);
}

void CStdioFile::Write(const void* buffer, unsigned count) {
    if (count == 0)
        return;
    if (fwrite(buffer, 1, count, m_pStream) != count) {
        int err = errno;
        clearerr(m_pStream);
        CFileException::ThrowErrno(err, m_strFileName);
    }
}

uint64_t CStdioFile::Seek(int64_t offset, unsigned from) {
    int whence = from == begin ? SEEK_SET : from == current ? SEEK_CUR : SEEK_END;
#ifdef _WIN32
    if (_fseeki64(m_pStream, offset, whence) != 0)
#else
    if (fseeko(m_pStream, static_cast<off_t>(offset), whence) != 0)
#endif
        ThrowFileException(CFileException::badSeek, errno, m_strFileName);
    return GetPosition();
}

uint64_t CStdioFile::GetPosition() const {
#ifdef _WIN32
    int64_t pos = _ftelli64(m_pStream);
#else
    int64_t pos = ftello(m_pStream);
#endif
    if (pos < 0)
        ThrowFileException(CFileException::invalidFile, errno, m_strFileName);
    return static_cast<uint64_t>(pos);
}

uint64_t CStdioFile::GetLength() const {
    if (m_pStream)
        fflush(m_pStream);
    return CFile::GetLength();
}

void CStdioFile::Flush() {
    if (m_pStream && fflush(m_pStream) != 0)
        CFileException::ThrowErrno(errno, m_strFileName);
}

void CStdioFile::Close() {
    if (!m_pStream) {
        CFile::Close();
        return;
    }
    FILE* stream = m_pStream;
    m_pStream = nullptr;
    m_hFile = hFileNull; // fclose closes the handle too
    if (fclose(stream) != 0)
        CFileException::ThrowErrno(errno, m_strFileName);
}

void CStdioFile::Abort() {
    if (m_pStream) {
        fclose(m_pStream);
        m_pStream = nullptr;
        m_hFile = hFileNull;
    } else {
        CFile::Abort();
    }
}

bool CStdioFile::ReadString(std::string& line, size_t maxChars) {
    line.clear();
    int c = EOF;
    bool any = false;
    while (line.size() < maxChars && (c = fgetc(m_pStream)) != EOF) {
        any = true;
        if (c == '\n')
            break;
        line.push_back(static_cast<char>(c));
    }
    if (c == EOF && ferror(m_pStream)) {
        clearerr(m_pStream);
        CFileException::ThrowErrno(errno, m_strFileName);
    }
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    return any;
}

void CStdioFile::WriteString(const std::string& text) {
    if (fputs(text.c_str(), m_pStream) == EOF)
        CFileException::ThrowErrno(errno, m_strFileName);
}
