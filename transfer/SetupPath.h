// CSetupPath: the path value used for every file and folder, with its five roots and simple
// file-system queries. Portable: the splitting and joining follow the C run-time's
// _splitpath/_makepath rules on every platform (both '\\' and '/' separate); the roots and
// drive queries are Win32 (natively, kinds 1 to 3 give empty paths and drive queries 0).
// Queries never throw; only CreateFolderOrThrow does.
#pragma once

#include "framework/File.h"

#include <cstdint>
#include <ctime>
#include <string>

#ifdef _WIN32
// windows.h maps GetDiskFreeSpace to GetDiskFreeSpaceA: include it first everywhere so the
// member below is spelt the same in every translation unit.
#include <windows.h>
#endif

constexpr size_t kMaxPath = 260;

enum PathRoot {
    kRootCurrentDir = 0,
    kRootWindowsDir = 1,
    kRootSystemDir = 2,
    kRootSetupDir = 3,
    kRootTempDir = 4,
};

class CSetupPath {
public:
    CSetupPath() = default;
    explicit CSetupPath(const std::string& text);
    explicit CSetupPath(const char* text);
    explicit CSetupPath(int rootKind);
    CSetupPath& operator=(const std::string& text);

    // Kind 3 root with the given title and extension ("ini" when none is given).
    void SetToProfilePath(const std::string& title, const char* extension = nullptr);
    void Clear();
    const std::string& GetText() const { return m_strText; }

    std::string GetDrive() const;     // letter only
    std::string GetDirectory() const; // one trailing backslash stripped unless it is "\"
    std::string GetTitle() const;
    std::string GetExtension() const;
    std::string GetFileName() const; // title[.extension]
    std::string GetFolder() const;   // "C:\DIR\", empty without a drive letter

    void SetDrive(const std::string& letter);
    void SetDirectory(const std::string& directory);
    void SetFolder(const std::string& folder);
    void SetTitle(const std::string& title);
    void SetExtension(const std::string& extension);
    void SetFileName(const std::string& nameAndExtension);
    void AppendSubdirectory(const std::string& name);
    // Moves to the parent directory; the removed component goes to *lastComponent.
    void ToParent(std::string* lastComponent = nullptr);
    void ToRoot();

    bool Exists() const;
    bool HasEntries() const;
    time_t ModifiedTime() const;
    bool FolderExists() const; // changes the current directory
    bool RemoveFolder() const;
    bool CreateFolder(bool recursive) const;
    void CreateFolderOrThrow(bool recursive) const; // CFileException on failure
    bool Delete(bool clearReadOnly) const;
    bool RenameTo(const CSetupPath& newPath) const;
    // Puts this file in target's place in one step, an existing target included: target then
    // names its old content or this file's, never neither and never a part of either. The
    // move is written through to the disk. The Windows 95 family has no such move: there the
    // old target is renamed aside, this file renamed into its place and the old one deleted,
    // or renamed back when this file could not take its place, so a failure leaves target as
    // it was; between the renames target names neither (both are whole under other names).
    // On Windows a read-only target is not replaced. True on success.
    bool MoveOver(const CSetupPath& target) const;
    bool MakeUniqueName(bool mustNotExist, int maxTries);
    // A file or folder of exactly this name exists (no wildcards; cheaper than Exists()).
    bool NameTaken() const;
    // A new title of eight hexadecimal digits from rand(), extension kept.
    void TakeRandomTitle();
    // As MakeUniqueName(true, maxTries), but the name is claimed by creating the file (empty)
    // in the same step: no other program can take it between the test and the use, and a
    // missing name is looked up once, not twice. False when no name was free or the file
    // cannot be created (the path keeps the last name tried).
    bool MakeUniqueFile(int maxTries);
    // Creates the file (empty) only if no file or folder has the name.
    using NewFile = CFile::NewFile;
    NewFile CreateNewFile() const;

    bool GetDiskFreeSpace(uint32_t& sectorsPerCluster, uint32_t& bytesPerSector,
                          uint32_t& freeClusters, uint32_t& totalClusters) const;
    uint32_t FreeBytes() const; // wraps above 4 GB, as the 32-bit product does
    uint32_t ClusterBytes() const;
    unsigned DriveType() const;
    bool IsRemovableDrive() const { return DriveType() == 2; }
    bool IsCdRomDrive() const { return DriveType() == 5; }

private:
    struct Parts {
        std::string drive, dir, fname, ext; // as _splitpath gives them (drive with colon)
    };
    Parts Split() const;
    void Join(const Parts& parts); // _makepath into a bounded buffer

    std::string m_strText;
};

// Plain-string helpers.
void RemoveTrailingChar(std::string& text, char c);
void RemoveTrailingBackslash(std::string& text); // only when longer than one character
void AppendBackslash(std::string& text);         // "" becomes "\"
void PrependBackslash(std::string& text);
void RemoveLeadingChar(std::string& text, char c);
void RemoveLeadingBackslash(std::string& text); // only when longer than one character
void TruncateTo(std::string& text, size_t length);

// Drive letters A..Z whose type is known.
class CDriveIterator {
public:
    bool Next();
    unsigned DriveType() const;
    std::string Letter() const;
    bool FindFirstOfType(unsigned type);
    bool FindFirstFixed() { return FindFirstOfType(3); }
    int m_nIndex = -1;
};
