#include "system/FindFile.h"

bool CFindFile::First(const std::string& pattern) {
    Close();
    m_hFind = FindFirstFileA(pattern.c_str(), &m_data);
    return m_hFind != INVALID_HANDLE_VALUE;
}

bool CFindFile::Next() {
    return m_hFind != INVALID_HANDLE_VALUE && FindNextFileA(m_hFind, &m_data) != 0;
}

void CFindFile::Close() {
    if (m_hFind == INVALID_HANDLE_VALUE)
        return;
    FindClose(m_hFind);
    m_hFind = INVALID_HANDLE_VALUE;
}
