#include "transfer/SetupPath.h"

#include "framework/Exception.h"
#include "framework/File.h"
#include "transfer/SetupPathPlatform.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <sys/stat.h>

using setup_path::IsSep;
using setup_path::MakeDirectory;
using setup_path::SepFor;

// ---------------------------------------------------------------------------------------------
// File-system operations built on the platform's (SetupPathFiles_*.cpp)

time_t CSetupPath::ModifiedTime() const {
    struct stat st;
    if (::stat(m_strText.c_str(), &st) != 0)
        return 0;
    return st.st_mtime;
}

namespace setup_path {

std::string FolderOrDirectory(const CSetupPath& path) {
    std::string folder = path.GetFolder();
    if (folder.empty())
        folder = path.GetDirectory();
    return folder;
}

} // namespace setup_path

bool CSetupPath::CreateFolder(bool recursive) const {
    std::string t = m_strText;
    if (t.size() > 1 && IsSep(t.back()))
        t.pop_back();
    bool ok = MakeDirectory(t);
    if (!ok)
        ok = FolderExists();
    if (!ok && recursive) {
        size_t pos = t.find_last_of("\\/");
        if (pos == std::string::npos || pos == 0)
            return false;
        CSetupPath parent(t.substr(0, pos + 1));
        if (!parent.CreateFolder(true))
            return false;
        ok = CSetupPath(t + SepFor(t)).CreateFolder(false);
    }
    return ok;
}

void CSetupPath::CreateFolderOrThrow(bool recursive) const {
    errno = 0;
    if (!CreateFolder(recursive))
        CFileException::ThrowErrno(errno ? errno : ENOENT, m_strText);
}

void CSetupPath::TakeRandomTitle() {
    char buffer[32];
    snprintf(buffer, sizeof buffer, "%.4x%.4x%.4x%.4x%.4x", rand(), rand(), rand(), rand(), rand());
    SetTitle(std::string(buffer, 8));
}

bool CSetupPath::MakeUniqueName(bool mustNotExist, int maxTries) {
    if (maxTries <= 0)
        return false;
    for (int tries = 0;;) {
        TakeRandomTitle();
        if (!mustNotExist || !NameTaken())
            return true;
        if (++tries >= maxTries)
            return false;
    }
}

CSetupPath::NewFile CSetupPath::CreateNewFile() const {
    CFile file; // closed again at once
    return file.CreateNew(m_strText);
}

bool CSetupPath::MakeUniqueFile(int maxTries) {
    if (maxTries <= 0)
        return false;
    for (int tries = 0;;) {
        TakeRandomTitle();
        NewFile result = CreateNewFile();
        if (result == NewFile::created)
            return true;
        if (result == NewFile::failed || ++tries >= maxTries)
            return false;
    }
}
