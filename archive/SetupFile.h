// CSetupFile: a buffered stream file that remembers its path. Reads, seeks and positions go
// through the stream buffer; Write goes straight to the operating-system handle. An object
// is used either for reading or for writing, never both.
#pragma once

#include "framework/File.h"
#include "transfer/SetupPath.h"

#include <string>

class CSetupFile : public CStdioFile {
public:
    CSetupFile();
    ~CSetupFile() override;

    // Unbuffered write of all count bytes. On disk full asks OnDiskFull whether to try
    // again; when it declines, throws CFileException diskFull. Other errors pass on.
    void Write(const void* buffer, unsigned count) override;

    virtual bool IsOpen() const;
    virtual std::string GetPathText() const;
    // Reads exactly count bytes through the virtual Read; fewer throws CFileException
    // with cause endOfFile.
    virtual void ReadExact(void* buffer, unsigned count);
    // Asked when a write found the disk full; true repeats the write. Here: false.
    virtual bool OnDiskFull(const CFileException& error);

    // Opens for reading, others may read and write; text type unless binary. Throws
    // CFileException when the open fails. Closes whatever was open before.
    void OpenRead(const std::string& path, bool binary);
    // Creates or truncates for reading and writing, no sharing. Throws CFileException.
    void OpenWrite(const std::string& path, bool binary);

protected:
    // Closes without throwing and without any override's Abort semantics.
    void CloseQuietly() { CStdioFile::Abort(); }
    void OpenOrThrow(const std::string& path, unsigned flags);

    CSetupPath m_path;
};
