// Helpers of the system integration tests (Win32, run under Wine in a throwaway prefix):
// a folder of its own below the prefix's temporary directory, small file and INI writers,
// and registry checks that do not go through the code under test.
#pragma once

#include <windows.h>

#include <string>

// A fresh folder below the temporary directory, removed with its contents when destroyed.
class CScratchFolder {
public:
    CScratchFolder();
    ~CScratchFolder();
    CScratchFolder(const CScratchFolder&) = delete;
    CScratchFolder& operator=(const CScratchFolder&) = delete;

    // The folder with a trailing backslash.
    const std::string& Folder() const { return m_strFolder; }
    std::string Path(const std::string& name) const { return m_strFolder + name; }

private:
    std::string m_strFolder;
};

// Deletes a folder with everything in it.
void RemoveFolderTree(const std::string& folder);

void WriteTextFile(const std::string& path, const std::string& text);
std::string ReadTextFile(const std::string& path);
bool FileExists(const std::string& path);
bool FolderExists(const std::string& path);

// The text of a REG_SZ value, or "<missing>" when the key or value does not exist.
std::string RegistryText(HKEY root, const std::string& subkey, const std::string& name);
bool RegistryKeyExists(HKEY root, const std::string& subkey);
// Creates the key (with missing parents) and sets a REG_SZ value in it.
void SetRegistryText(HKEY root, const std::string& subkey, const std::string& name,
                     const std::string& text);

// Closes the windows that the shell opens to show a group: waits up to waitMs for the first
// window with this title, then asks every such window to close.
void CloseShellWindows(const std::string& title, DWORD waitMs);

// The Windows path of a file of the build tree (Wine maps the Unix root to drive Z:).
std::string WindowsPathOf(const std::string& unixPath);
