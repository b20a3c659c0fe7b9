#include "system/CurrentDirectory.h"

#include <windows.h>

#include <vector>

std::string GetCurrentDirectoryText() {
    DWORD needed = GetCurrentDirectoryA(0, nullptr);
    if (needed == 0)
        return std::string();
    std::vector<char> buffer(needed + 1, '\0');
    DWORD got = GetCurrentDirectoryA(static_cast<DWORD>(buffer.size()), buffer.data());
    if (got == 0 || got >= buffer.size())
        return std::string();
    return std::string(buffer.data(), got);
}

CCurrentDirectoryKeeper::CCurrentDirectoryKeeper() : m_strSaved(GetCurrentDirectoryText()) {}

CCurrentDirectoryKeeper::~CCurrentDirectoryKeeper() {
    if (!m_strSaved.empty())
        SetCurrentDirectoryA(m_strSaved.c_str());
}
