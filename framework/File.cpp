#include "framework/File.h"

#include <cerrno>

// ---------------------------------------------------------------------------------------------
// CFile: what does not depend on the platform (the rest is in File_win32.cpp or
// File_posix.cpp, as the build chooses)

CFile::CFile() : m_hFile(hFileNull) {}

CFile::~CFile() {
    if (m_hFile != hFileNull)
        CFile::Abort();
}

uint64_t CFile::GetPosition() const {
    return const_cast<CFile*>(this)->CFile::Seek(0, current);
}

// ---------------------------------------------------------------------------------------------
// CStdioFile

CStdioFile::CStdioFile() : m_pStream(nullptr) {}

CStdioFile::~CStdioFile() {
    if (m_pStream)
        CStdioFile::Abort();
}

unsigned CStdioFile::Read(void* buffer, unsigned count) {
    if (count == 0)
        return 0;
    size_t n = fread(buffer, 1, count, m_pStream);
    if (n < count && ferror(m_pStream)) {
        clearerr(m_pStream);
        ThrowFileException(CFileException::genericException, errno, m_strFileName);
    }
    return static_cast<unsigned>(n);
}

void CStdioFile::Write(const void* buffer, unsigned count) {
    if (count == 0)
        return;
    if (fwrite(buffer, 1, count, m_pStream) != count) {
        int err = errno;
        clearerr(m_pStream);
        CFileException::ThrowErrno(err, m_strFileName);
    }
}

uint64_t CStdioFile::GetLength() const {
    if (m_pStream)
        fflush(m_pStream);
    return CFile::GetLength();
}

void CStdioFile::Flush() {
    if (m_pStream && fflush(m_pStream) != 0)
        CFileException::ThrowErrno(errno, m_strFileName);
}

void CStdioFile::Close() {
    if (!m_pStream) {
        CFile::Close();
        return;
    }
    FILE* stream = m_pStream;
    m_pStream = nullptr;
    m_hFile = hFileNull; // fclose closes the handle too
    if (fclose(stream) != 0)
        CFileException::ThrowErrno(errno, m_strFileName);
}

void CStdioFile::Abort() {
    if (m_pStream) {
        fclose(m_pStream);
        m_pStream = nullptr;
        m_hFile = hFileNull;
    } else {
        CFile::Abort();
    }
}

bool CStdioFile::ReadString(std::string& line, size_t maxChars) {
    line.clear();
    int c = EOF;
    bool any = false;
    while (line.size() < maxChars && (c = fgetc(m_pStream)) != EOF) {
        any = true;
        if (c == '\n')
            break;
        line.push_back(static_cast<char>(c));
    }
    if (c == EOF && ferror(m_pStream)) {
        clearerr(m_pStream);
        CFileException::ThrowErrno(errno, m_strFileName);
    }
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    return any;
}

void CStdioFile::WriteString(const std::string& text) {
    if (fputs(text.c_str(), m_pStream) == EOF)
        CFileException::ThrowErrno(errno, m_strFileName);
}
