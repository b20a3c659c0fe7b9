#include "profile/IniFilter.h"

#include <cstdio>

namespace {

// 511 characters and the terminating NUL: the piece size of the line reader.
constexpr int kPieceBufferSize = 512;
constexpr int kTemporaryNameTries = 1000;

// A failure shows later, when the file is not replaced.
void ClearReadOnly(const CSetupPath& file) {
    CFileStatus status;
    if (!CFile::GetStatus(file.GetText(), status) || !(status.m_attribute & kAttrReadOnly))
        return;
    status.m_attribute &= static_cast<uint8_t>(~kAttrReadOnly);
    status.m_mtime = 0; // the time stays
    try {
        CFile::SetStatus(file.GetText(), status);
    } catch (const CFileException&) {
    }
}

} // namespace

CIniFilter::CIniFilter(const CSetupPath& file) : m_file(file) {}

CIniFilter::~CIniFilter() {
    // Closed without throwing; a pass that ended normally has closed both already.
    if (m_pInput)
        m_pInput->Abort();
    if (m_pOutput)
        m_pOutput->Abort();
}

void CIniFilter::OpenPass() {
    m_temporary = m_file;
    m_temporary.MakeUniqueName(true, kTemporaryNameTries);
    m_pOutput = std::make_unique<CStdioFile>();
    CFileException error;
    if (!m_pOutput->Open(m_temporary.GetText(),
                         CFile::modeCreate | CFile::modeWrite | CFile::typeText, &error))
        throw error;
    m_pInput = std::make_unique<CStdioFile>();
    m_pInput->Open(m_file.GetText(), CFile::modeRead | CFile::shareDenyWrite | CFile::typeText);
}

bool CIniFilter::ReadLine() {
    if (!m_pInput || !m_pInput->IsHandleOpen() || !m_pInput->m_pStream)
        return false;
    FILE* stream = m_pInput->m_pStream;
    // As fgets reads a piece, but kept whole when the file holds a zero byte: a piece cut at
    // the zero would lose the rest of its line and make the next line look like the rest
    // of a long one.
    std::string piece;
    int c = EOF;
    while (piece.size() < static_cast<size_t>(kPieceBufferSize - 1) && (c = fgetc(stream)) != EOF) {
        piece += static_cast<char>(c);
        if (c == '\n')
            break;
    }
    if (piece.empty())
        return false;
    m_bLineStart = m_bLineEnd;
    m_strLine = piece;
    if (m_strLine.back() == '\n') {
        m_bLineEnd = true;
    } else {
        // Either the piece was cut at 511 characters or the file ends without a line end.
        int next = fgetc(stream);
        m_bLineEnd = next == EOF;
        if (next != EOF)
            ungetc(next, stream);
    }
    return true;
}

void CIniFilter::Write(const std::string& text) {
    if (text.empty())
        return;
    if (fwrite(text.data(), 1, text.size(), m_pOutput->m_pStream) != text.size())
        m_bOutputFailed = true;
    m_bOutputAtLineStart = text.back() == '\n';
}

void CIniFilter::CopyLine() {
    Write(m_strLine);
}

void CIniFilter::WriteText(const std::string& text) {
    if (!m_bOutputAtLineStart)
        Write("\n");
    Write(text);
    m_bWritten = 1;
}

bool CIniFilter::CloseOutput() {
    bool ok =
        !m_bOutputFailed && fflush(m_pOutput->m_pStream) == 0 && !ferror(m_pOutput->m_pStream);
    try {
        m_pOutput->Close();
    } catch (const CFileException&) {
        ok = false;
    }
    return ok;
}

void CIniFilter::Run() {
    OnBegin();
    while (ReadLine()) {
        // A piece that continues a long line is neither a header nor a key line.
        if (m_bDone || !m_bLineStart || ProcessLine())
            CopyLine();
        if (m_bStop)
            break;
    }
    OnEnd();
    if (m_pInput)
        m_pInput->Abort();
    bool complete = CloseOutput();
    // A copy that could not be written completely must never replace the file.
    if (m_bWritten && !m_bStop && complete)
        ReplaceFile();
    else
        m_temporary.Delete(true);
}

void CIniFilter::ReplaceFile() {
    if (m_backup.GetText().empty())
        PrepareBackup();
    if (m_backup.GetText() != m_file.GetText()) {
        // The old content goes to a backup of another name (no filter of this program keeps
        // one); the file's name is empty until the copy takes it.
        m_backup.Delete(true);
        m_file.RenameTo(m_backup);
        if (!m_temporary.RenameTo(m_file) && m_file.Exists())
            m_temporary.Delete(true);
        return;
    }
    // The copy takes the file's place in one step: a power loss leaves the old file or the
    // new one, never neither. A read-only file is replaced all the same. Should the file be
    // gone after a failure (the system without that step moves it aside first and could not
    // move it back), the copy, which holds every line, is kept.
    ClearReadOnly(m_file);
    if (!m_temporary.MoveOver(m_file) && m_file.Exists())
        m_temporary.Delete(true);
}
