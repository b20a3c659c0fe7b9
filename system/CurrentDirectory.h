// CCurrentDirectoryKeeper: remembers the process's current directory when constructed and
// makes it current again when destroyed. Win32 only; never throws.
#pragma once

#include <string>

class CCurrentDirectoryKeeper {
public:
    CCurrentDirectoryKeeper();
    ~CCurrentDirectoryKeeper();
    CCurrentDirectoryKeeper(const CCurrentDirectoryKeeper&) = delete;
    CCurrentDirectoryKeeper& operator=(const CCurrentDirectoryKeeper&) = delete;

    const std::string& GetSaved() const { return m_strSaved; }

private:
    std::string m_strSaved; // empty when it could not be read; nothing is restored then
};

// The process's current directory, of any length; empty on failure.
std::string GetCurrentDirectoryText();
