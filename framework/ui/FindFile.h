// CFindFile: owner of one directory search (FindFirstFile / FindNextFile); the search handle
// is closed by Close, by the next First and by the destructor. Win32 only; header only, so
// that the path layer below the framework's library can use it too. Never throws.
#pragma once

#include <windows.h>

#include <string>

class CFindFile {
public:
    CFindFile() = default;
    CFindFile(const CFindFile&) = delete;
    CFindFile& operator=(const CFindFile&) = delete;
    ~CFindFile() { Close(); }

    // Starts a search for the pattern (wildcards allowed); false when nothing matches.
    bool First(const std::string& pattern) {
        Close();
        m_hFind = FindFirstFileA(pattern.c_str(), &m_data);
        return m_hFind != INVALID_HANDLE_VALUE;
    }
    // The next match; false at the end or when no search is open.
    bool Next() { return m_hFind != INVALID_HANDLE_VALUE && FindNextFileA(m_hFind, &m_data) != 0; }
    void Close() {
        if (m_hFind == INVALID_HANDLE_VALUE)
            return;
        FindClose(m_hFind);
        m_hFind = INVALID_HANDLE_VALUE;
    }

    // The current match's directory entry: attributes, times, size and names.
    const WIN32_FIND_DATAA& GetData() const { return m_data; }
    // The current match's name (no folder), as the system reports it.
    std::string GetName() const { return m_data.cFileName; }
    bool IsDirectory() const { return (m_data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0; }
    // "." and "..", which every folder but a root lists.
    bool IsDotEntry() const {
        const std::string name = GetName();
        return name == "." || name == "..";
    }

private:
    HANDLE m_hFind = INVALID_HANDLE_VALUE;
    WIN32_FIND_DATAA m_data = {};
};
