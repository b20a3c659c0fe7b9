// Unbuffered and buffered file classes. Portable: Win32 handles on Windows, POSIX file
// descriptors elsewhere. Errors are thrown as CFileException carrying the cause and path.
#pragma once

#include "framework/Exception.h"

#include <cstdint>
#include <cstdio>
#include <ctime>
#include <string>

// What GetStatus reports of a file.
struct CFileStatus {
    time_t m_ctime = 0;
    time_t m_mtime = 0; // last write, seconds since 1 January 1970 UTC
    time_t m_atime = 0;
    uint64_t m_size = 0;
    uint8_t m_attribute = 0; // low byte of the file attributes (FILE_ATTRIBUTE_*)
    std::string m_szFullName;
};

// File attribute bits as stored in archives and applied to files.
enum : uint8_t {
    kAttrReadOnly = 0x01,
    kAttrHidden = 0x02,
    kAttrSystem = 0x04,
    kAttrDirectory = 0x10,
    kAttrArchive = 0x20,
};

// One open operating-system file. Owns its handle; the destructor closes it without throwing.
class CFile {
public:
    enum OpenFlags : unsigned {
        modeRead = 0x0000,
        modeWrite = 0x0001,
        modeReadWrite = 0x0002,
        shareCompat = 0x0000,
        shareExclusive = 0x0010,
        shareDenyWrite = 0x0020,
        shareDenyRead = 0x0030,
        shareDenyNone = 0x0040,
        modeNoInherit = 0x0080,
        modeCreate = 0x1000,
        modeNoTruncate = 0x2000,
        typeText = 0x4000,
        typeBinary = 0x8000,
    };
    enum SeekPosition { begin = 0, current = 1, end = 2 };

#ifdef _WIN32
    using Handle = void*; // HANDLE
#else
    using Handle = intptr_t; // file descriptor
#endif
    static const Handle hFileNull;

    CFile();
    CFile(const CFile&) = delete;
    CFile& operator=(const CFile&) = delete;
    virtual ~CFile();

    // Opens the file; false on failure, with the cause in *error when given.
    virtual bool Open(const std::string& fileName, unsigned openFlags,
                      CFileException* error = nullptr);
    enum class NewFile { created, nameTaken, failed };
    // Creates fileName for reading and writing, no sharing, and keeps it open; a file or
    // folder of that name already there gives nameTaken (so the creation itself claims a
    // name). failed carries the cause in *error when given.
    NewFile CreateNew(const std::string& fileName, CFileException* error = nullptr);
    // Gives the open file another name on the same drive, never replacing a file of that
    // name. False, with the file still open under its old name, when the name is taken or
    // the system cannot rename an open file (then rename it by name once it is closed).
    bool RenameOpen(const std::string& newName);
    // Reads up to count bytes; returns the number read (0 at end of file). Throws on error.
    virtual unsigned Read(void* buffer, unsigned count);
    // Writes all count bytes or throws (disk full gives cause diskFull).
    virtual void Write(const void* buffer, unsigned count);
    virtual uint64_t Seek(int64_t offset, unsigned from);
    virtual uint64_t GetPosition() const;
    virtual uint64_t GetLength() const;
    virtual void SetLength(uint64_t length);
    // Sets the open file's last-write time (natively its access time too), with no second
    // open of the file by name. Throws when it fails.
    void SetModifiedTime(time_t time);
    virtual void Flush();
    // Closes the handle; throws when the close fails.
    virtual void Close();
    // Closes without throwing.
    virtual void Abort();

    const std::string& GetFilePath() const {
        return m_strFileName;
    }
    Handle GetHandle() const {
        return m_hFile;
    }
    bool IsHandleOpen() const {
        return m_hFile != hFileNull;
    }

    // File status by name; false when the file cannot be examined.
    static bool GetStatus(const std::string& fileName, CFileStatus& status);
    // Sets the last-write time and the attribute byte; throws on failure.
    static void SetStatus(const std::string& fileName, const CFileStatus& status);
    static void Remove(const std::string& fileName);
    static void Rename(const std::string& oldName, const std::string& newName);

protected:
    Handle m_hFile;
    std::string m_strFileName;
};

// A file read and written through a C run-time stream buffer. Binary unless typeText is
// given, in which case line ends are CR LF on disk on Windows.
class CStdioFile : public CFile {
public:
    CStdioFile();
    ~CStdioFile() override;

    bool Open(const std::string& fileName, unsigned openFlags,
              CFileException* error = nullptr) override;
    unsigned Read(void* buffer, unsigned count) override;
    void Write(const void* buffer, unsigned count) override;
    uint64_t Seek(int64_t offset, unsigned from) override;
    uint64_t GetPosition() const override;
    uint64_t GetLength() const override;
    void Flush() override;
    void Close() override;
    void Abort() override;

    // Reads one line into `line` (without its line end); false at end of file.
    // At most maxChars characters are taken per call; the rest of a longer line is
    // returned by the next call.
    bool ReadString(std::string& line, size_t maxChars = SIZE_MAX);
    void WriteString(const std::string& text);

    FILE* m_pStream;
};
