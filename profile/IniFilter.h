// A pass over one INI file, line by line, that writes a temporary copy beside it and puts
// the copy in the file's place when the filter wrote text of its own. The private-profile
// functions cannot add a second line with an existing key; this can.
//
// Files are read and written in text mode: CR LF on disk, LF in the line buffer. A line
// longer than 511 characters (LF counted) arrives in pieces; only a piece that begins a line
// is offered to ProcessLine(), the rest is copied as it is.
#pragma once

#include "framework/File.h"
#include "transfer/SetupPath.h"

#include <memory>
#include <string>

class CIniFilter {
public:
    explicit CIniFilter(const CSetupPath& file);
    virtual ~CIniFilter();
    CIniFilter(const CIniFilter&) = delete;
    CIniFilter& operator=(const CIniFilter&) = delete;

    // Looks at m_strLine; true when the line is to be copied.
    virtual bool ProcessLine() = 0;
    // The pass: reads every line, lets ProcessLine decide, then replaces the file when text of
    // the filter's own was written and the pass was not stopped; otherwise the file stays
    // untouched and the temporary copy is deleted. The copy takes the file's place in one
    // step (CSetupPath::MoveOver): at no instant is the file missing or cut short.
    virtual void Run();
    // The next piece of at most 511 characters into m_strLine; false at end of file or when
    // the input could not be opened.
    virtual bool ReadLine();
    virtual void CopyLine();
    // Writes text and marks the file as changed. Text always starts on a line of its own,
    // even after a last line that had no line end.
    virtual void WriteText(const std::string& text);
    virtual void OnBegin() {}
    virtual void OnEnd() {}
    virtual void PrepareBackup() { m_backup = m_file; }

protected:
    // Picks the temporary name beside the file, creates it (throws CFileException when it
    // cannot be created) and opens the file for reading (a file that cannot be opened reads
    // as empty).
    void OpenPass();

    CSetupPath m_file;
    CSetupPath m_temporary;
    CSetupPath m_backup;
    std::unique_ptr<CStdioFile> m_pInput;
    std::unique_ptr<CStdioFile> m_pOutput;
    std::string m_strLine;
    int m_bDone = 0; // every further line is copied unexamined
    int m_bStop = 0; // the pass ends after the current line and changes nothing
    int m_bWritten = 0;
    bool m_bLineStart = true; // m_strLine begins a line of the file
    bool m_bLineEnd = true;   // m_strLine ends a line of the file (LF or end of file)

private:
    void Write(const std::string& text);
    bool CloseOutput();
    void ReplaceFile();

    bool m_bOutputAtLineStart = true;
    bool m_bOutputFailed = false;
};
