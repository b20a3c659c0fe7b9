// The file helpers every test program shares: a scratch folder of its own per test, whole
// files written and read byte for byte, and existence checks, none of them through the code
// under test. Portable: Win32 calls in the Windows builds (ANSI paths, as the product uses),
// the C++ library elsewhere. Only a failed write throws: a test must not go on without its
// input.
#pragma once

#include <string>
#include <vector>

// A fresh folder below the temporary directory (the throwaway prefix's under Wine), removed
// with everything in it when destroyed.
class CScratchFolder {
public:
    CScratchFolder();
    ~CScratchFolder();
    CScratchFolder(const CScratchFolder&) = delete;
    CScratchFolder& operator=(const CScratchFolder&) = delete;

    // The folder with a trailing separator.
    const std::string& Folder() const { return m_strFolder; }
    std::string Path(const std::string& name) const { return m_strFolder + name; }
    // Names of the files in the folder (no subfolders).
    std::vector<std::string> Files() const;

private:
    std::string m_strFolder;
};

// Replaces the file with exactly these bytes; std::runtime_error when it cannot be written.
void WriteFileBytes(const std::string& path, const std::string& bytes);
// count bytes of a fixed pseudo-random sequence: the same seed gives the same bytes.
std::string RandomBytes(size_t count, unsigned seed);
// The file's bytes; empty when it cannot be read.
std::string ReadFileBytes(const std::string& path);

bool PathExists(const std::string& path); // a file or a folder
bool FileExists(const std::string& path); // a file, not a folder
bool FolderExists(const std::string& path);

// Names of the files in folder (with its trailing separator; no subfolders).
std::vector<std::string> FilesIn(const std::string& folder);
// Every file below folder (with its trailing separator), as paths relative to it.
std::vector<std::string> ListFilesBelow(const std::string& folder);
// Deletes a folder (with or without its trailing separator) and everything in it, read-only
// files too; what cannot be deleted (a file in use) stays, and the rest still goes.
void RemoveFolderTree(const std::string& folder);
