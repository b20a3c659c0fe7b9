// What the portable files of CSetupPath and CDriveIterator (SetupPath.cpp, SetupPathFiles.cpp,
// Drives.cpp) share with the platform's files: SetupPathRoots, SetupPathFiles and Drives,
// each as _win32.cpp or _posix.cpp, one set chosen by the build. For those files only.
#pragma once

#include "transfer/SetupPath.h"

#include <string>

namespace setup_path {

// The separator of the platform's own paths: '\\' on Windows, '/' elsewhere.
extern const char kSep;

inline bool IsSep(char c) {
    return c == '\\' || c == '/';
}

// The separator to add: the one the text already uses, else the platform's own.
char SepFor(const std::string& a, const std::string& b = std::string());

// The path's folder (with its drive letter), else its directory.
std::string FolderOrDirectory(const CSetupPath& path);

// Platform: creates one folder; true on success, errno telling why not.
bool MakeDirectory(const std::string& path);

// Platform: the type of drive index (0 is A:, 25 is Z:) as GetDriveType gives it; 0 where
// there are no drive letters.
unsigned DriveTypeOfIndex(int index);

} // namespace setup_path
