// CArchiveWriter: writes a single-volume archive, one member at a time. Each member's header
// is written first with blank sizes and patched once the data is written, so a member is
// read from its file exactly once (time, attributes and size come from the file).
#pragma once

#include "archive/ArchiveFormat.h"
#include "archive/SpanFile.h"

#include <cstdint>
#include <string>

class CArchiveWriter {
public:
    CArchiveWriter();
    ~CArchiveWriter(); // closes without throwing; a half-written archive stays as it is

    // Creates (or truncates) the archive and writes its header. Throws CFileException.
    void Create(const std::string& path);
    // Adds the file `path` as a member named memberName (when empty: by the path's
    // name-and-extension part), with the method (2 stored, 4 deflate) and destination id
    // given; returns the header written.
    // Throws CFileException (unreadable file, a name the format cannot hold: badPath, a
    // file larger than 4 GB: invalidFile), CMultiFileException 1 for another method,
    // CZLibException.
    const CEntryHeader& AddFile(const std::string& path, int32_t method, int16_t destination,
                                const std::string& description = {},
                                const std::string& memberName = {});
    // Closes the archive. Throws CFileException.
    void Close();

    const std::string& GetPath() const { return m_strPath; }

private:
    void PatchHeader(int64_t position);

    CSpanFile m_file;
    std::string m_strPath;
    int64_t m_nEnd;        // the archive's length so far
    CEntryHeader m_header; // the last member's header
};
