// A folder of its own for each test under the (throwaway) prefix's temporary directory,
// removed with its files afterwards, and byte-exact file helpers.
#pragma once

#include <string>
#include <vector>

class CTestFolder {
public:
    CTestFolder();
    ~CTestFolder();
    CTestFolder(const CTestFolder&) = delete;
    CTestFolder& operator=(const CTestFolder&) = delete;

    // The folder with a trailing backslash.
    const std::string& Folder() const { return m_strFolder; }
    std::string Path(const std::string& name) const { return m_strFolder + name; }
    // Names of the files in the folder (no subfolders).
    std::vector<std::string> Files() const;

private:
    std::string m_strFolder;
};

void WriteBytes(const std::string& path, const std::string& bytes);
std::string ReadBytes(const std::string& path);
bool FileExists(const std::string& path); // a file or a folder
bool FolderExists(const std::string& path);
// Deletes a folder (with or without its trailing backslash) and everything in it.
void RemoveFolderTree(const std::string& folder);
