// CMultiFile: the archive reader. Open with OpenArchive, then read entries in sequence with
// ReadEntryHeader and Extract (or Test, or SkipData) each one; ReadEntryHeader returning
// false is the end of the archive.
//
// Member data passes through the counted Read of CSpanFile with a block size of 4096, so
// OnBlockBoundary fires once per 4096 packed bytes. Volumes: this class stops at the end of
// a volume file (OnVolumeEnd returns true). A subclass continues onto the next volume by
// overriding OnVolumeEnd with the pieces below: CFolderMultiFile follows volumes in the same
// folder; the installer's diskette-aware reader asks for the disk first.
#pragma once

#include "archive/ArchiveCodec.h"
#include "archive/MultiFileEntry.h"
#include "archive/SpanFile.h"

#include <memory>
#include <string>

class CMultiFile : public CSpanFile {
public:
    static constexpr int32_t kBlockSize = 4096;

    CMultiFile();
    ~CMultiFile() override;

    // While a codec runs, asks it to abort; Extract then throws CUserException once the
    // member is done. Does not close the file.
    void Abort() override;

    // A new entry positioned at this archive's first entry; the caller owns it.
    virtual std::unique_ptr<CMultiFileEntry> CreateEntry();
    // Method 2: CStoredCodec, 4: CDeflateCodec, anything else: none. The caller owns it.
    virtual std::unique_ptr<CArchiveCodec> CreateCodec(int32_t method, int32_t parameter);

    // Opens the first volume and checks its header. Throws CFileException (open failure,
    // fewer than 8 bytes: endOfFile), CMultiFileException 2 (not an archive).
    void OpenArchive(const std::string& path);
    // Reads and checks the 8-byte header at the current position. Throws as OpenArchive.
    void ReadArchiveHeader();
    // Reads the next entry header into `entry` (at its recorded position when `seek`,
    // which works within a single volume). False at the end of the archive (fewer than 346
    // bytes left). Throws CMultiFileException 3 when the magic is wrong.
    bool ReadEntryHeader(CMultiFileEntry& entry, bool seek = false);
    // Expands the member whose header was just read into the entry's output path, stamps
    // time and attributes, and verifies the checksum. The output file is left on disk
    // (closed) when this throws: CMultiFileException 1 (unknown method) or 5 (checksum),
    // CUserException (aborted), CZLibException, CFileException, CMemoryException.
    void Extract(CMultiFileEntry& entry);
    // As Extract, but the expanded bytes are only counted and checksummed.
    void Test(CMultiFileEntry& entry);
    // Reads past the member's data without expanding it (for listing).
    void SkipData(CMultiFileEntry& entry);

    int GetVolumeNumber() const { return m_nVolume; }
    // The path of the volume after `path`: its last character raised by one. False when
    // the name cannot be continued (empty, or the result would not be a plain name).
    static bool NextVolumePath(const std::string& path, std::string& next);

protected:
    // The pieces of the volume rule, for OnVolumeEnd overrides that continue: close the
    // volume; if the member being read runs on (CurrentEntryRunsOn), find the next volume
    // (NextVolumePath gives its name) and open it with OpenNextVolume, then return false;
    // otherwise return true and the read ends short. A diskette-aware override asks for the
    // disk between closing and opening.
    bool CurrentEntryRunsOn() const;
    const CMultiFileEntry* CurrentEntry() const { return m_pCurrentEntry; }
    void CloseVolume() { CloseQuietly(); }
    // Opens `path` for reading with the counts running on, checks its 8-byte header and
    // counts the volume. Throws CFileException (cannot open, short header),
    // CMultiFileException 2 (not an archive).
    void OpenNextVolume(const std::string& path);

private:
    static constexpr size_t kReadBufferSize = 64 * 1024;
    void UseLargeReadBuffer();
    // Runs the member's codec into `destination`; returns whether it was asked to abort.
    bool RunCodec(CMultiFileEntry& entry, CFile& destination);
    // Reads what the codec left of the member's packed bytes, so that the next header is
    // read at its place (a deflate stream can end before its last bytes were pulled).
    void DiscardRest(uint32_t packedSize, int64_t readBefore);

    std::unique_ptr<CArchiveCodec> m_pCodec; // only while a member is expanded
    CMultiFileEntry* m_pCurrentEntry;        // not owned; only while member data is read
    int64_t m_nFirstEntryPosition;
    int m_nVolume;
};

// Follows the volumes of an archive in the folder of its first volume. A member that runs
// on past a volume whose name cannot be raised throws CFileException badPath; a missing next
// volume throws CFileException fileNotFound.
class CFolderMultiFile : public CMultiFile {
public:
    bool OnVolumeEnd() override;
};
