// CMultiFileEntry: one member of an archive. Holds the member's 346-byte header as read (or
// as it is to be written) and, while extracting, the output file: the entry is the
// destination the codec writes to, so its counted write checksums the expanded bytes.
#pragma once

#include "archive/ArchiveFormat.h"
#include "archive/SpanFile.h"

#include <cstdint>
#include <string>
#include <vector>

class CMultiFileEntry : public CSpanFile {
public:
    explicit CMultiFileEntry(int64_t headerPosition = 0);
    ~CMultiFileEntry() override;

    // The output path for OpenOutput. A path longer than 259 characters throws
    // CFileException badPath: cutting it would name a different file.
    void SetOutputPath(const std::string& path);
    const std::string& GetOutputPath() const { return m_strOutputPath; }
    // Claims path for the output by creating it (see CFile::CreateNew); on created the file
    // stays open, OpenOutput writes into it and ApplyStatus leaves it open for
    // RenameOutput. Any other result leaves the output path unchanged and nothing open.
    CFile::NewFile ClaimOutput(const std::string& path);
    // Gives the output file, claimed and still open after ApplyStatus, the name newPath
    // without replacing a file of that name, and closes it. False when it was not renamed
    // (the name is taken, or the system cannot rename an open file): the file is closed
    // under its old name all the same. Throws CFileException when the close fails.
    bool RenameOutput(const std::string& newPath);
    // Creates the output file (binary); write count and checksum restart at 0. Until
    // ApplyStatus the expanded bytes are gathered and written in large pieces (counts,
    // checksum and the disk-full rule are those of each write). Throws CFileException.
    void OpenOutput();
    // Writes what is gathered, stamps the output file with the header's time and attribute
    // byte and closes it (a claimed output with its attributes in place stays open): the
    // time goes through the open handle, the attributes by name only when the new file does
    // not already have them (each open by name costs much more than the write itself on
    // some systems). Throws CFileException.
    void ApplyStatus();
    // Takes time, size and attribute byte of the file named by the member name into the
    // header. Throws CFileException fileNotFound when the file cannot be examined.
    void FillFromFile();

    // The member name's name-and-extension part, safe to join to a folder: no folders,
    // drive, "..", device names or characters a file name cannot hold. Throws
    // CFileException badPath (with the raw name) when nothing usable is left.
    std::string GetInstallName() const;
    static bool MakeInstallName(const std::string& memberName, std::string& installName);

    CEntryHeader& Header() { return m_header; }
    const CEntryHeader& Header() const { return m_header; }
    const std::string& GetName() const { return m_strName; }
    const std::string& GetDescription() const { return m_strDescription; }
    int64_t GetHeaderPosition() const { return m_nHeaderPosition; }
    void SetHeaderPosition(int64_t position) { m_nHeaderPosition = position; }
    // Takes name and descriptive text out of the header (after it was read).
    void TakeTextsFromHeader();
    // Sets the member name (kept whole for FillFromFile; the header holds at most 259
    // characters). False when the header's copy had to be cut.
    bool SetName(const std::string& name);

    // Gathers output while it is open (see OpenOutput).
    void RawWrite(const void* buffer, unsigned count) override;
    // Closes without writing what is gathered.
    void Abort() override;

private:
    void WriteGathered();

    int64_t m_nHeaderPosition;       // 0 = not yet known
    std::vector<uint8_t> m_gathered; // output not yet written
    bool m_bGathering = false;
    bool m_bClaimed = false; // the open output was created by ClaimOutput
    std::string m_strOutputPath;
    CEntryHeader m_header;
    std::string m_strName;
    std::string m_strDescription;
};
