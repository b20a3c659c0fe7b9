#include "transfer/SetupPath.h"

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

bool CSetupPath::MoveOver(const CSetupPath& target) const {
    const char* to = target.GetText().c_str();
    if (MoveFileExA(m_strText.c_str(), to, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return true;
    if (GetLastError() != ERROR_CALL_NOT_IMPLEMENTED)
        return false;
    DWORD attributes = GetFileAttributesA(to);
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
        return false;
    DeleteFileA(to);
    return MoveFileA(m_strText.c_str(), to) != 0;
}

// Whether a file or folder of exactly this name exists. For the plain names MakeUniqueName
// makes this answers as Exists() does, without opening a search of the folder (which costs
// a read of the whole folder on some systems when the name is missing).
bool CSetupPath::NameTaken() const {
    return GetFileAttributesA(m_strText.c_str()) != INVALID_FILE_ATTRIBUTES;
}
