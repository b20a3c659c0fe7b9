#include "framework/Exception.h"

#include <cerrno>

#ifdef _WIN32
#include <windows.h>
#endif

int CFileException::OsErrorToCause(long osError) {
#ifdef _WIN32
    switch (osError) {
    case NO_ERROR:
        return none;
    case ERROR_FILE_NOT_FOUND:
        return fileNotFound;
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
    case ERROR_BAD_NETPATH:
    case ERROR_DIRECTORY:
        return badPath;
    case ERROR_TOO_MANY_OPEN_FILES:
        return tooManyOpenFiles;
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT:
    case ERROR_NETWORK_ACCESS_DENIED:
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:
    case ERROR_CANNOT_MAKE:
        return accessDenied;
    case ERROR_INVALID_HANDLE:
    case ERROR_INVALID_ACCESS:
    case ERROR_INVALID_DATA:
        return invalidFile;
    case ERROR_CURRENT_DIRECTORY:
        return removeCurrentDir;
    case ERROR_NO_MORE_FILES:
        return directoryFull;
    case ERROR_SEEK:
    case ERROR_NEGATIVE_SEEK:
    case ERROR_SEEK_ON_DEVICE:
        return badSeek;
    case ERROR_NOT_READY:
    case ERROR_CRC:
    case ERROR_SECTOR_NOT_FOUND:
    case ERROR_READ_FAULT:
    case ERROR_WRITE_FAULT:
    case ERROR_GEN_FAILURE:
    case ERROR_NOT_DOS_DISK:
    case ERROR_BAD_UNIT:
    case ERROR_BAD_COMMAND:
        return hardIO;
    case ERROR_SHARING_VIOLATION:
        return sharingViolation;
    case ERROR_LOCK_VIOLATION:
    case ERROR_DRIVE_LOCKED:
        return lockViolation;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return diskFull;
    case ERROR_HANDLE_EOF:
        return endOfFile;
    default:
        return genericException;
    }
#else
    return ErrnoToCause(static_cast<int>(osError));
#endif
}

int CFileException::ErrnoToCause(int errnoValue) {
    switch (errnoValue) {
    case 0:
        return none;
    case ENOENT:
        return fileNotFound;
    case ENOTDIR:
    case ENAMETOOLONG:
    case EINVAL:
        return badPath;
    case EMFILE:
    case ENFILE:
        return tooManyOpenFiles;
    case EACCES:
    case EPERM:
    case EEXIST:
    case EROFS:
    case EISDIR:
        return accessDenied;
    case EBADF:
        return invalidFile;
    case ESPIPE:
        return badSeek;
    case EIO:
        return hardIO;
    case ENOSPC:
#ifdef EDQUOT
    case EDQUOT:
#endif
        return diskFull;
    default:
        return genericException;
    }
}

void CFileException::ThrowOsError(long osError, const std::string& fileName) {
    throw CFileException(OsErrorToCause(osError), osError, fileName);
}

void CFileException::ThrowErrno(int errnoValue, const std::string& fileName) {
    throw CFileException(ErrnoToCause(errnoValue), errnoValue, fileName);
}

void ThrowMemoryException() {
    throw CMemoryException();
}
void ThrowNotSupportedException() {
    throw CNotSupportedException();
}
void ThrowResourceException() {
    throw CResourceException();
}
void ThrowUserException() {
    throw CUserException();
}
void ThrowFileException(int cause, long osError, const std::string& fileName) {
    throw CFileException(cause, osError, fileName);
}
