#include "transfer/SetupPath.h"

#include "transfer/SetupPathPlatform.h"

#include <cstdio>
#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

namespace setup_path {

bool MakeDirectory(const std::string& path) {
    return ::mkdir(path.c_str(), 0777) == 0;
}

} // namespace setup_path

using setup_path::FolderOrDirectory;
using setup_path::IsSep;

// ---------------------------------------------------------------------------------------------
// File-system queries and changes: POSIX

bool CSetupPath::Exists() const {
    struct stat st;
    return !m_strText.empty() && ::stat(m_strText.c_str(), &st) == 0;
}

// "." and ".." are not entries: an empty folder has none.
bool CSetupPath::HasEntries() const {
    Parts p = Split();
    std::string folder = p.drive + p.dir;
    DIR* d = opendir(folder.empty() ? "." : folder.c_str());
    if (!d)
        return false;
    bool found = false;
    while (struct dirent* e = readdir(d)) {
        std::string name = e->d_name;
        if (name != "." && name != "..") {
            found = true;
            break;
        }
    }
    closedir(d);
    return found;
}

bool CSetupPath::FolderExists() const {
    std::string folder = FolderOrDirectory(*this);
    if (folder.empty())
        return false;
    return chdir(folder.c_str()) == 0;
}

bool CSetupPath::RemoveFolder() const {
    std::string folder = FolderOrDirectory(*this);
    if (folder.size() > 1 && IsSep(folder.back()))
        folder.pop_back();
    return rmdir(folder.c_str()) == 0;
}

bool CSetupPath::Delete(bool clearReadOnly) const {
    if (clearReadOnly && Exists())
        chmod(m_strText.c_str(), 0666);
    return unlink(m_strText.c_str()) == 0;
}

bool CSetupPath::RenameTo(const CSetupPath& newPath) const {
    return ::rename(m_strText.c_str(), newPath.GetText().c_str()) == 0;
}

bool CSetupPath::MoveOver(const CSetupPath& target) const {
    return ::rename(m_strText.c_str(), target.GetText().c_str()) == 0;
}

// Whether a file or folder of exactly this name exists. For the plain names MakeUniqueName
// makes this answers as Exists() does, without opening a search of the folder (which costs
// a read of the whole folder on some systems when the name is missing).
bool CSetupPath::NameTaken() const {
    return Exists();
}
