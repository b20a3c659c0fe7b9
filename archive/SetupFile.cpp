#include "archive/SetupFile.h"

CSetupFile::CSetupFile() = default;

CSetupFile::~CSetupFile() = default;

void CSetupFile::Write(const void* buffer, unsigned count) {
    for (;;) {
        try {
            CFile::Write(buffer, count);
            return;
        } catch (const CFileException& e) {
            if (e.m_cause != CFileException::diskFull)
                throw;
            if (!OnDiskFull(e))
                ThrowFileException(CFileException::diskFull, -1, GetPathText());
        }
    }
}

bool CSetupFile::IsOpen() const {
    return m_hFile != hFileNull;
}

std::string CSetupFile::GetPathText() const {
    return m_path.GetText();
}

void CSetupFile::ReadExact(void* buffer, unsigned count) {
    if (Read(buffer, count) != count)
        ThrowFileException(CFileException::endOfFile, -1, GetPathText());
}

bool CSetupFile::OnDiskFull(const CFileException& /*error*/) {
    return false;
}

void CSetupFile::OpenRead(const std::string& path, bool binary) {
    OpenOrThrow(path, modeRead | shareDenyNone | (binary ? typeBinary : typeText));
}

void CSetupFile::OpenWrite(const std::string& path, bool binary) {
    OpenOrThrow(path,
                modeCreate | modeReadWrite | shareExclusive | (binary ? typeBinary : typeText));
}

void CSetupFile::OpenOrThrow(const std::string& path, unsigned flags) {
    CloseQuietly();
    m_path = path;
    CFileException error;
    if (!Open(path, flags, &error))
        throw error;
}
