// CFindFile: one directory search (FindFirstFile / FindNextFile), closed when destroyed.
// Win32 only; never throws.
#pragma once

#include <windows.h>

#include <string>

class CFindFile {
public:
    CFindFile() = default;
    CFindFile(const CFindFile&) = delete;
    CFindFile& operator=(const CFindFile&) = delete;
    ~CFindFile() { Close(); }

    // Starts a search for the pattern; false when nothing matches.
    bool First(const std::string& pattern);
    // The next match; false at the end.
    bool Next();
    void Close();

    std::string GetName() const { return m_data.cFileName; }
    bool IsDirectory() const { return (m_data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0; }

private:
    HANDLE m_hFind = INVALID_HANDLE_VALUE;
    WIN32_FIND_DATAA m_data = {};
};
