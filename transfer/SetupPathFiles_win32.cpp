#include "transfer/SetupPath.h"

#include "framework/WindowsFamily.h"
#include "framework/ui/FindFile.h"
#include "transfer/SetupPathPlatform.h"

#include <direct.h>
#include <windows.h>

namespace setup_path {

bool MakeDirectory(const std::string& path) {
    return _mkdir(path.c_str()) == 0;
}

} // namespace setup_path

using setup_path::FolderOrDirectory;
using setup_path::IsSep;

// ---------------------------------------------------------------------------------------------
// File-system queries and changes: Win32

bool CSetupPath::Exists() const {
    CFindFile find;
    return find.First(m_strText);
}

// "." and ".." are not entries: an empty folder has none.
bool CSetupPath::HasEntries() const {
    CSetupPath pattern(*this);
    pattern.SetFileName("*.*");
    CFindFile find;
    for (bool more = find.First(pattern.GetText()); more; more = find.Next()) {
        if (!find.IsDotEntry())
            return true;
    }
    return false;
}

bool CSetupPath::FolderExists() const {
    std::string folder = FolderOrDirectory(*this);
    if (folder.empty())
        return false;
    return SetCurrentDirectoryA(folder.c_str()) != 0;
}

bool CSetupPath::RemoveFolder() const {
    std::string folder = FolderOrDirectory(*this);
    if (folder.size() > 1 && IsSep(folder.back()))
        folder.pop_back();
    return RemoveDirectoryA(folder.c_str()) != 0;
}

bool CSetupPath::Delete(bool clearReadOnly) const {
    if (clearReadOnly && Exists()) {
        DWORD attr = GetFileAttributesA(m_strText.c_str());
        if (attr != INVALID_FILE_ATTRIBUTES && (attr & FILE_ATTRIBUTE_READONLY))
            SetFileAttributesA(m_strText.c_str(), attr & ~FILE_ATTRIBUTE_READONLY);
    }
    return DeleteFileA(m_strText.c_str()) != 0;
}

bool CSetupPath::RenameTo(const CSetupPath& newPath) const {
    return MoveFileA(m_strText.c_str(), newPath.GetText().c_str()) != 0;
}

namespace {

constexpr int kAsideNameTries = 1000;

// Windows 95 has no one-step replace. The old content steps aside under a free name and comes
// back when the new file cannot take its place, so a failure loses nothing. Between the two
// renames the name is free; each content is then whole under a name of its own.
bool MoveOverByRenames(const std::string& from, const CSetupPath& target) {
    const char* to = target.GetText().c_str();
    DWORD attributes = GetFileAttributesA(to);
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return MoveFileA(from.c_str(), to) != 0;
    if (attributes & FILE_ATTRIBUTE_READONLY)
        return false;
    CSetupPath aside(target);
    if (!aside.MakeUniqueName(true, kAsideNameTries) || !MoveFileA(to, aside.GetText().c_str()))
        return false;
    if (!MoveFileA(from.c_str(), to)) {
        MoveFileA(aside.GetText().c_str(), to);
        return false;
    }
    DeleteFileA(aside.GetText().c_str());
    return true;
}

} // namespace

// Decided by the family, not by the error: the 95 family's MoveFileEx is a stub whose error
// code is not documented to be NT's.
bool CSetupPath::MoveOver(const CSetupPath& target) const {
    if (IsWindows95Family())
        return MoveOverByRenames(m_strText, target);
    return MoveFileExA(m_strText.c_str(), target.GetText().c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

// Whether a file or folder of exactly this name exists. For the plain names MakeUniqueName
// makes this answers as Exists() does, without opening a search of the folder (which costs
// a read of the whole folder on some systems when the name is missing).
bool CSetupPath::NameTaken() const {
    return GetFileAttributesA(m_strText.c_str()) != INVALID_FILE_ATTRIBUTES;
}
