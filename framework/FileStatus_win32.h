// A file's status read from its directory entry: what CFile::GetStatus falls back to where
// the system lacks GetFileAttributesExA (Windows 95, NT 3.51). Win32 only; never throws.
#pragma once

#include <windows.h>

#include <string>

// False when no file or folder has that name (a name with a wildcard names none). A root
// ("C:\\") has no entry: its attributes alone, times and size zero.
bool GetAttributeDataFromEntry(const std::string& fileName, WIN32_FILE_ATTRIBUTE_DATA& data);
