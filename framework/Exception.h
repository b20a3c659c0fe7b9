// Framework exception classes. Portable: used by the Win32 program and the native tools.
//
// Exceptions are thrown by value and caught by reference (`catch (const CException& e)`);
// nothing needs deleting. Each class reports its own name through GetRuntimeClassName(),
// which the error dialog shows to the user.
#pragma once

#include <string>

class CException {
public:
    CException() = default;
    virtual ~CException() = default;
    virtual const char* GetRuntimeClassName() const { return "CException"; }
};

class CMemoryException : public CException {
public:
    const char* GetRuntimeClassName() const override { return "CMemoryException"; }
};

class CNotSupportedException : public CException {
public:
    const char* GetRuntimeClassName() const override { return "CNotSupportedException"; }
};

class CResourceException : public CException {
public:
    const char* GetRuntimeClassName() const override { return "CResourceException"; }
};

// Thrown to end an operation the user cancelled; carries no cause.
class CUserException : public CException {
public:
    const char* GetRuntimeClassName() const override { return "CUserException"; }
};

// Serialisation errors; the program itself never throws these, the error dialog translates them.
class CArchiveException : public CException {
public:
    enum { none, genericException, readOnly, endOfFile, writeOnly, badIndex, badClass, badSchema };
    explicit CArchiveException(int cause = none) : m_cause(cause) {}
    const char* GetRuntimeClassName() const override { return "CArchiveException"; }
    int m_cause;
};

class CFileException : public CException {
public:
    // Cause codes; their numbers are shown to the user in the error information.
    enum {
        none = 0,
        genericException = 1,
        fileNotFound = 2,
        badPath = 3,
        tooManyOpenFiles = 4,
        accessDenied = 5,
        invalidFile = 6,
        removeCurrentDir = 7,
        directoryFull = 8,
        badSeek = 9,
        hardIO = 10,
        sharingViolation = 11,
        lockViolation = 12,
        diskFull = 13,
        endOfFile = 14
    };

    explicit CFileException(int cause = none, long osError = -1, std::string fileName = {})
        : m_cause(cause), m_lOsError(osError), m_strFileName(std::move(fileName)) {}
    const char* GetRuntimeClassName() const override { return "CFileException"; }

    // Cause for an operating-system error code (Win32 GetLastError value).
    static int OsErrorToCause(long osError);
    // Cause for a C run-time errno value.
    static int ErrnoToCause(int errnoValue);

    [[noreturn]] static void ThrowOsError(long osError, const std::string& fileName = {});
    [[noreturn]] static void ThrowErrno(int errnoValue, const std::string& fileName = {});

    int m_cause;
    long m_lOsError;
    std::string m_strFileName;
};

[[noreturn]] void ThrowMemoryException();
[[noreturn]] void ThrowNotSupportedException();
[[noreturn]] void ThrowResourceException();
[[noreturn]] void ThrowUserException();
[[noreturn]] void ThrowFileException(int cause, long osError = -1,
                                     const std::string& fileName = {});
