#include "framework/File.h"
#include "framework/FileStatus_win32.h"
#include "framework/WindowsFamily.h"

#include "framework/ui/FindFile.h"
#include "framework/ui/Handle.h"
#include "framework/ui/LoadedLibrary.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <io.h>
#include <windows.h>

namespace {

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

[[noreturn]] void ThrowLastError(const std::string& fileName) {
    CFileException::ThrowOsError(LastOsError(), fileName);
}

using SetFileInformationByHandleProc = BOOL(WINAPI*)(HANDLE, int, void*, DWORD);

// The call that renames an open file through its handle (Vista and later), or null.
SetFileInformationByHandleProc RenameByHandleCall() {
    static const auto call =
        KernelFunction<SetFileInformationByHandleProc>("SetFileInformationByHandle");
    return call;
}

} // namespace

const CFile::Handle CFile::hFileNull = INVALID_HANDLE_VALUE;

// ---------------------------------------------------------------------------------------------
// CFile: Win32 file handles

bool CFile::Open(const std::string& fileName, unsigned openFlags, CFileException* error) {
    if (m_hFile != hFileNull)
        CFile::Abort();
    m_strFileName = fileName;
    const unsigned access = openFlags & 3;
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
    return true;
}

CFile::NewFile CFile::CreateNew(const std::string& fileName, CFileException* error) {
    if (m_hFile != hFileNull)
        CFile::Abort();
    m_strFileName = fileName;
    // DELETE access lets RenameOpen move the file while it is open; it is asked for only
    // where that rename exists (Windows 95 documents no access but read and write).
    DWORD access = GENERIC_READ | GENERIC_WRITE | (RenameByHandleCall() ? DELETE : 0);
    HANDLE h = CreateFileA(fileName.c_str(), access, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL,
                           nullptr);
    if (h != INVALID_HANDLE_VALUE) {
        m_hFile = h;
        return NewFile::created;
    }
    long cause = LastOsError();
    if (cause == ERROR_FILE_EXISTS || cause == ERROR_ALREADY_EXISTS ||
        GetFileAttributesA(fileName.c_str()) != INVALID_FILE_ATTRIBUTES)
        return NewFile::nameTaken; // a folder of that name refuses differently
    if (error)
        *error = CFileException(CFileException::OsErrorToCause(cause), cause, fileName);
    return NewFile::failed;
}

namespace {
// FILE_RENAME_INFO, which the headers declare only for newer Windows versions.
struct RenameInfo {
    BOOLEAN replaceIfExists;
    HANDLE rootDirectory;
    DWORD fileNameLength; // bytes, without the terminating zero
    WCHAR fileName[MAX_PATH + 8];
};
constexpr int kFileRenameInfo = 3;

// A file's attributes, times and size by name. GetFileAttributesExA reads them from the file
// itself; Windows 95 and NT 3.51 lack it, and there the directory entry says the same.
bool GetAttributeData(const std::string& fileName, WIN32_FILE_ATTRIBUTE_DATA& data) {
    using GetAttributesExProc = BOOL(WINAPI*)(LPCSTR, GET_FILEEX_INFO_LEVELS, LPVOID);
    static const auto getAttributesEx = KernelFunction<GetAttributesExProc>("GetFileAttributesExA");
    if (getAttributesEx)
        return getAttributesEx(fileName.c_str(), GetFileExInfoStandard, &data) != FALSE;
    return GetAttributeDataFromEntry(fileName, data);
}
} // namespace

// A root ("C:\") has no directory entry: its attributes alone. A name with a wildcard names
// no file (FindFirstFileA would match others).
bool GetAttributeDataFromEntry(const std::string& fileName, WIN32_FILE_ATTRIBUTE_DATA& data) {
    if (fileName.find_first_of("*?") != std::string::npos)
        return false;
    DWORD attributes = GetFileAttributesA(fileName.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return false;
    data = {};
    data.dwFileAttributes = attributes;
    CFindFile find;
    if (find.First(fileName)) {
        const WIN32_FIND_DATAA& found = find.GetData();
        data.ftCreationTime = found.ftCreationTime;
        data.ftLastAccessTime = found.ftLastAccessTime;
        data.ftLastWriteTime = found.ftLastWriteTime;
        data.nFileSizeHigh = found.nFileSizeHigh;
        data.nFileSizeLow = found.nFileSizeLow;
    }
    return true;
}

bool CFile::RenameOpen(const std::string& newName) {
    // Renaming through the handle saves opening the file by name again (each open is a
    // round trip to the server under some systems). Systems before Vista lack the call.
    const auto setInformation = RenameByHandleCall();
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
}

unsigned CFile::Read(void* buffer, unsigned count) {
    if (count == 0)
        return 0;
    DWORD done = 0;
    if (!ReadFile(m_hFile, buffer, count, &done, nullptr))
        ThrowLastError(m_strFileName);
    return done;
}

void CFile::Write(const void* buffer, unsigned count) {
    if (count == 0)
        return;
    DWORD done = 0;
    if (!WriteFile(m_hFile, buffer, count, &done, nullptr))
        ThrowLastError(m_strFileName);
    if (done < count)
        ThrowFileException(CFileException::diskFull, ERROR_DISK_FULL, m_strFileName);
}

// SetFilePointer and GetFileSize return the low half and pass the high half through a
// pointer; an all-ones low half is an error only when the last error says so.
uint64_t CFile::Seek(int64_t offset, unsigned from) {
    DWORD method = from == begin ? FILE_BEGIN : from == current ? FILE_CURRENT : FILE_END;
    LONG high = static_cast<LONG>(offset >> 32);
    SetLastError(NO_ERROR);
    DWORD low = SetFilePointer(m_hFile, static_cast<LONG>(offset & 0xFFFFFFFF), &high, method);
    if (low == INVALID_SET_FILE_POINTER && GetLastError() != NO_ERROR)
        ThrowLastError(m_strFileName);
    return (static_cast<uint64_t>(static_cast<DWORD>(high)) << 32) | low;
}

uint64_t CFile::GetLength() const {
    DWORD high = 0;
    SetLastError(NO_ERROR);
    DWORD low = GetFileSize(m_hFile, &high);
    if (low == INVALID_FILE_SIZE && GetLastError() != NO_ERROR)
        ThrowLastError(m_strFileName);
    return (static_cast<uint64_t>(high) << 32) | low;
}

void CFile::SetLength(uint64_t length) {
    Seek(static_cast<int64_t>(length), begin);
    if (!SetEndOfFile(m_hFile))
        ThrowLastError(m_strFileName);
}

void CFile::SetModifiedTime(time_t time) {
    FILETIME ft = UnixToFileTime(time);
    if (!SetFileTime(m_hFile, nullptr, nullptr, &ft))
        ThrowLastError(m_strFileName);
}

void CFile::Flush() {
    if (m_hFile == hFileNull)
        return;
    if (!FlushFileBuffers(m_hFile))
        ThrowLastError(m_strFileName);
}

void CFile::Close() {
    if (m_hFile == hFileNull)
        return;
    Handle h = m_hFile;
    m_hFile = hFileNull;
    if (!CloseHandle(h))
        ThrowLastError(m_strFileName);
}

void CFile::Abort() {
    if (m_hFile == hFileNull)
        return;
    CloseHandle(m_hFile);
    m_hFile = hFileNull;
}

bool CFile::GetStatus(const std::string& fileName, CFileStatus& status) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetAttributeData(fileName, data))
        return false;
    status.m_ctime = FileTimeToUnix(data.ftCreationTime);
    status.m_atime = FileTimeToUnix(data.ftLastAccessTime);
    status.m_mtime = FileTimeToUnix(data.ftLastWriteTime);
    status.m_size = (static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    status.m_attribute = static_cast<uint8_t>(data.dwFileAttributes & 0xFF);
    char full[MAX_PATH];
    DWORD n = GetFullPathNameA(fileName.c_str(), MAX_PATH, full, nullptr);
    status.m_szFullName = (n > 0 && n < MAX_PATH) ? std::string(full, n) : fileName;
    return true;
}

void CFile::SetStatus(const std::string& fileName, const CFileStatus& status) {
    // A read-only file refuses the time change: clear the attributes first.
    if (!SetFileAttributesA(fileName.c_str(), FILE_ATTRIBUTE_NORMAL))
        ThrowLastError(fileName);
    if (status.m_mtime != 0) {
        // The Windows 95 family knows only read and write access (and sets a time through a
        // handle opened for writing); NT opens a file or a folder for its attributes alone.
        const bool family95 = IsWindows95Family();
        CHandle file(CreateFileA(fileName.c_str(), family95 ? GENERIC_WRITE : FILE_WRITE_ATTRIBUTES,
                                 FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                 family95 ? 0 : FILE_FLAG_BACKUP_SEMANTICS, nullptr));
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
}

void CFile::Remove(const std::string& fileName) {
    if (!DeleteFileA(fileName.c_str()))
        ThrowLastError(fileName);
}

void CFile::Rename(const std::string& oldName, const std::string& newName) {
    if (!MoveFileA(oldName.c_str(), newName.c_str()))
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
        if (error)
            *error = CFileException(CFileException::tooManyOpenFiles, -1, fileName);
        return false;
    }
    return true;
}

uint64_t CStdioFile::Seek(int64_t offset, unsigned from) {
    int whence = from == begin ? SEEK_SET : from == current ? SEEK_CUR : SEEK_END;
    if (_fseeki64(m_pStream, offset, whence) != 0)
        ThrowFileException(CFileException::badSeek, errno, m_strFileName);
    return GetPosition();
}

uint64_t CStdioFile::GetPosition() const {
    int64_t pos = _ftelli64(m_pStream);
    if (pos < 0)
        ThrowFileException(CFileException::invalidFile, errno, m_strFileName);
    return static_cast<uint64_t>(pos);
}
