#include "transfer/SetupPath.h"

#include "framework/Exception.h"
#include "framework/Format.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <sys/stat.h>

#ifdef _WIN32
#include "framework/ui/FindFile.h"
#include "framework/ui/Handle.h"

#include <direct.h>
#include <windows.h>
#else
#include <dirent.h>
#include <fcntl.h>
#include <sys/statvfs.h>
#include <unistd.h>
#endif

namespace {

#ifdef _WIN32
constexpr char kSep = '\\';
#else
constexpr char kSep = '/';
#endif

bool IsSep(char c) {
    return c == '\\' || c == '/';
}

// The separator to add: the one the text already uses, else the platform's own.
char SepFor(const std::string& a, const std::string& b = std::string()) {
    for (const std::string* t : {&a, &b}) {
        if (t->find('\\') != std::string::npos)
            return '\\';
        if (t->find('/') != std::string::npos)
            return '/';
    }
    return kSep;
}

std::string CurrentDirectory() {
    char buffer[kMaxPath + 1];
#ifdef _WIN32
    if (!_getcwd(buffer, static_cast<int>(sizeof buffer)))
#else
    if (!getcwd(buffer, sizeof buffer))
#endif
        return {};
    return buffer;
}

bool MakeDirectory(const std::string& path) {
#ifdef _WIN32
    return _mkdir(path.c_str()) == 0;
#else
    return ::mkdir(path.c_str(), 0777) == 0;
#endif
}

#ifdef _WIN32
std::string FromBuffer(const char* buffer, DWORD length) {
    if (length == 0 || length >= kMaxPath)
        return {};
    return std::string(buffer, length);
}
#endif

} // namespace

// ---------------------------------------------------------------------------------------------
// Plain-string helpers

void RemoveTrailingChar(std::string& text, char c) {
    if (!text.empty() && text.back() == c)
        text.pop_back();
}

void RemoveTrailingBackslash(std::string& text) {
    if (text.size() > 1)
        RemoveTrailingChar(text, '\\');
}

void AppendBackslash(std::string& text) {
    if (text.empty() || text.back() != '\\')
        text.push_back('\\');
}

void PrependBackslash(std::string& text) {
    if (text.empty() || text.front() != '\\')
        text.insert(text.begin(), '\\');
}

void RemoveLeadingChar(std::string& text, char c) {
    if (!text.empty() && text.front() == c)
        text.erase(text.begin());
}

void RemoveLeadingBackslash(std::string& text) {
    if (text.size() > 1)
        RemoveLeadingChar(text, '\\');
}

void TruncateTo(std::string& text, size_t length) {
    if (text.size() > length)
        text.resize(length);
}

// ---------------------------------------------------------------------------------------------
// CSetupPath

CSetupPath::CSetupPath(const std::string& text) : m_strText(text) {}

CSetupPath::CSetupPath(const char* text) : m_strText(text ? text : "") {}

CSetupPath::CSetupPath(int rootKind) {
    switch (rootKind) {
    case kRootCurrentDir:
        SetFolder(CurrentDirectory());
        break;
#ifdef _WIN32
    case kRootWindowsDir: {
        char buffer[kMaxPath];
        SetFolder(FromBuffer(buffer, GetWindowsDirectoryA(buffer, kMaxPath)));
        break;
    }
    case kRootSystemDir: {
        char buffer[kMaxPath];
        SetFolder(FromBuffer(buffer, GetSystemDirectoryA(buffer, kMaxPath)));
        break;
    }
    case kRootSetupDir: {
        char buffer[kMaxPath];
        m_strText = FromBuffer(buffer, GetModuleFileNameA(nullptr, buffer, kMaxPath));
        SetFileName("");
        break;
    }
    case kRootTempDir: {
        char buffer[kMaxPath];
        m_strText = FromBuffer(buffer, GetTempPathA(kMaxPath, buffer));
        SetFileName("");
        break;
    }
#else
    case kRootSetupDir: {
        char buffer[kMaxPath];
        ssize_t n = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
        m_strText = n > 0 ? std::string(buffer, static_cast<size_t>(n)) : std::string();
        SetFileName("");
        break;
    }
    case kRootTempDir: {
        const char* tmp = getenv("TMPDIR");
        m_strText = std::string(tmp && *tmp ? tmp : "/tmp") + "/";
        break;
    }
#endif
    default:
        break;
    }
}

CSetupPath& CSetupPath::operator=(const std::string& text) {
    m_strText = text;
    return *this;
}

void CSetupPath::SetToProfilePath(const std::string& title, const char* extension) {
    *this = CSetupPath(kRootSetupDir);
    SetTitle(title);
    SetExtension(extension ? extension : "ini");
}

void CSetupPath::Clear() {
    m_strText.clear();
}

CSetupPath::Parts CSetupPath::Split() const {
    Parts p;
    const std::string& t = m_strText;
    size_t pos = 0;
    if (t.size() >= 2 && t[1] == ':') {
        p.drive = t.substr(0, 2);
        pos = 2;
    }
    size_t lastSep = std::string::npos;
    for (size_t i = pos; i < t.size(); ++i)
        if (IsSep(t[i]))
            lastSep = i;
    if (lastSep != std::string::npos) {
        p.dir = t.substr(pos, lastSep + 1 - pos);
        pos = lastSep + 1;
    }
    std::string name = t.substr(pos);
    size_t dot = name.rfind('.');
    if (dot != std::string::npos) {
        p.fname = name.substr(0, dot);
        p.ext = name.substr(dot);
    } else {
        p.fname = name;
    }
    return p;
}

// Joined without a fixed buffer: a result longer than a path may be is refused later by the
// operating system instead of overflowing or being cut into another path.
void CSetupPath::Join(const Parts& parts) {
    std::string out;
    if (!parts.drive.empty()) {
        out.push_back(parts.drive[0]);
        out.push_back(':');
    }
    if (!parts.dir.empty()) {
        out += parts.dir;
        if (!IsSep(out.back()))
            out.push_back(SepFor(parts.dir));
    }
    out += parts.fname;
    if (!parts.ext.empty()) {
        if (parts.ext[0] != '.')
            out.push_back('.');
        out += parts.ext;
    }
    m_strText = out;
}

std::string CSetupPath::GetDrive() const {
    Parts p = Split();
    return p.drive.empty() ? std::string() : p.drive.substr(0, 1);
}

std::string CSetupPath::GetDirectory() const {
    std::string dir = Split().dir;
    if (dir.size() > 1 && IsSep(dir.back()))
        dir.pop_back();
    return dir;
}

std::string CSetupPath::GetTitle() const {
    return Split().fname;
}

std::string CSetupPath::GetExtension() const {
    std::string ext = Split().ext;
    if (!ext.empty() && ext[0] == '.')
        ext.erase(ext.begin());
    return ext;
}

std::string CSetupPath::GetFileName() const {
    std::string ext = GetExtension();
    return ext.empty() ? GetTitle() : GetTitle() + "." + ext;
}

std::string CSetupPath::GetFolder() const {
    Parts p = Split();
    if (p.drive.empty())
        return {};
    std::string folder = p.drive + p.dir;
    if (!IsSep(folder.back()))
        folder.push_back(SepFor(m_strText));
    return folder;
}

void CSetupPath::SetDrive(const std::string& letter) {
    Parts p = Split();
    p.drive = letter;
    Join(p);
}

void CSetupPath::SetDirectory(const std::string& directory) {
    Parts p = Split();
    std::string dir = directory;
    const char sep = SepFor(directory, m_strText);
    if (dir.empty() || !IsSep(dir.front()))
        dir.insert(dir.begin(), sep);
    if (!IsSep(dir.back()))
        dir.push_back(sep);
    p.dir = dir;
    Join(p);
}

void CSetupPath::SetFolder(const std::string& folder) {
    Parts p = Split();
    std::string text = folder;
    if (text.empty() || !IsSep(text.back()))
        text.push_back(SepFor(folder, m_strText));
    CSetupPath f(text);
    Parts fp = f.Split();
    p.drive = fp.drive;
    p.dir = fp.dir;
    Join(p);
}

void CSetupPath::SetTitle(const std::string& title) {
    Parts p = Split();
    p.fname = title;
    Join(p);
}

void CSetupPath::SetExtension(const std::string& extension) {
    Parts p = Split();
    p.ext = extension;
    Join(p);
}

void CSetupPath::SetFileName(const std::string& nameAndExtension) {
    Parts p = Split();
    p.fname = nameAndExtension;
    p.ext.clear();
    Join(p);
}

void CSetupPath::AppendSubdirectory(const std::string& name) {
    if (name.empty())
        return;
    std::string sub = name;
    const char sep = SepFor(m_strText, name);
    if (sub.size() > 1 && IsSep(sub.front()))
        sub.erase(sub.begin());
    if (!IsSep(sub.back()))
        sub.push_back(sep);
    Parts p = Split();
    if (p.dir.empty() || !IsSep(p.dir.back()))
        p.dir.push_back(sep);
    p.dir += sub;
    Join(p);
}

void CSetupPath::ToParent(std::string* lastComponent) {
    std::string dir = GetDirectory();
    if (dir.empty())
        return;
    size_t pos = dir.find_last_of("\\/");
    if (pos == std::string::npos)
        return;
    if (lastComponent) {
        std::string last = dir.substr(pos);
        if (last.size() > 1)
            last.erase(last.begin());
        *lastComponent = last;
    }
    SetDirectory(dir.substr(0, pos));
}

void CSetupPath::ToRoot() {
    SetDirectory("");
    SetFileName("");
}

// ---------------------------------------------------------------------------------------------
// File-system queries

bool CSetupPath::Exists() const {
#ifdef _WIN32
    CFindFile find;
    return find.First(m_strText);
#else
    struct stat st;
    return !m_strText.empty() && ::stat(m_strText.c_str(), &st) == 0;
#endif
}

// "." and ".." are not entries: an empty folder has none.
bool CSetupPath::HasEntries() const {
#ifdef _WIN32
    CSetupPath pattern(*this);
    pattern.SetFileName("*.*");
    CFindFile find;
    for (bool more = find.First(pattern.GetText()); more; more = find.Next()) {
        if (!find.IsDotEntry())
            return true;
    }
    return false;
#else
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
#endif
}

time_t CSetupPath::ModifiedTime() const {
    struct stat st;
    if (::stat(m_strText.c_str(), &st) != 0)
        return 0;
    return st.st_mtime;
}

namespace {
std::string FolderOrDirectory(const CSetupPath& path) {
    std::string folder = path.GetFolder();
    if (folder.empty())
        folder = path.GetDirectory();
    return folder;
}
} // namespace

bool CSetupPath::FolderExists() const {
    std::string folder = FolderOrDirectory(*this);
    if (folder.empty())
        return false;
#ifdef _WIN32
    return SetCurrentDirectoryA(folder.c_str()) != 0;
#else
    return chdir(folder.c_str()) == 0;
#endif
}

bool CSetupPath::RemoveFolder() const {
    std::string folder = FolderOrDirectory(*this);
    if (folder.size() > 1 && IsSep(folder.back()))
        folder.pop_back();
#ifdef _WIN32
    return RemoveDirectoryA(folder.c_str()) != 0;
#else
    return rmdir(folder.c_str()) == 0;
#endif
}

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

bool CSetupPath::Delete(bool clearReadOnly) const {
#ifdef _WIN32
    if (clearReadOnly && Exists()) {
        DWORD attr = GetFileAttributesA(m_strText.c_str());
        if (attr != INVALID_FILE_ATTRIBUTES && (attr & FILE_ATTRIBUTE_READONLY))
            SetFileAttributesA(m_strText.c_str(), attr & ~FILE_ATTRIBUTE_READONLY);
    }
    return DeleteFileA(m_strText.c_str()) != 0;
#else
    if (clearReadOnly && Exists())
        chmod(m_strText.c_str(), 0666);
    return unlink(m_strText.c_str()) == 0;
#endif
}

bool CSetupPath::RenameTo(const CSetupPath& newPath) const {
#ifdef _WIN32
    return MoveFileA(m_strText.c_str(), newPath.GetText().c_str()) != 0;
#else
    return ::rename(m_strText.c_str(), newPath.GetText().c_str()) == 0;
#endif
}

bool CSetupPath::MoveOver(const CSetupPath& target) const {
#ifdef _WIN32
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
#else
    return ::rename(m_strText.c_str(), target.GetText().c_str()) == 0;
#endif
}

// Whether a file or folder of exactly this name exists. For the plain names MakeUniqueName
// makes this answers as Exists() does, without opening a search of the folder (which costs
// a read of the whole folder on some systems when the name is missing).
bool CSetupPath::NameTaken() const {
#ifdef _WIN32
    return GetFileAttributesA(m_strText.c_str()) != INVALID_FILE_ATTRIBUTES;
#else
    return Exists();
#endif
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
#ifdef _WIN32
    CHandle file(CreateFileA(m_strText.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                             FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file.IsValid())
        return NewFile::created;
    DWORD error = GetLastError();
    if (error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS)
        return NewFile::nameTaken;
#else
    int fd = ::open(m_strText.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0666);
    if (fd >= 0) {
        ::close(fd);
        return NewFile::created;
    }
    if (errno == EEXIST)
        return NewFile::nameTaken;
#endif
    // A folder of that name refuses differently; it is taken all the same.
    return NameTaken() ? NewFile::nameTaken : NewFile::failed;
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

bool CSetupPath::GetDiskFreeSpace(uint32_t& sectorsPerCluster, uint32_t& bytesPerSector,
                                  uint32_t& freeClusters, uint32_t& totalClusters) const {
#ifdef _WIN32
    CSetupPath root(*this);
    root.ToRoot();
    DWORD spc = 0, bps = 0, fc = 0, tc = 0;
    if (!::GetDiskFreeSpaceA(root.GetText().c_str(), &spc, &bps, &fc, &tc))
        return false;
    sectorsPerCluster = spc;
    bytesPerSector = bps;
    freeClusters = fc;
    totalClusters = tc;
    return true;
#else
    std::string folder = Split().dir;
    struct statvfs vfs;
    if (statvfs(folder.empty() ? "." : folder.c_str(), &vfs) != 0)
        return false;
    auto clamp = [](unsigned long long v) {
        return static_cast<uint32_t>(v > 0xFFFFFFFFULL ? 0xFFFFFFFFULL : v);
    };
    sectorsPerCluster = 1;
    bytesPerSector = static_cast<uint32_t>(vfs.f_frsize);
    freeClusters = clamp(vfs.f_bavail);
    totalClusters = clamp(vfs.f_blocks);
    return true;
#endif
}

uint32_t CSetupPath::FreeBytes() const {
    uint32_t spc, bps, fc, tc;
    if (!GetDiskFreeSpace(spc, bps, fc, tc))
        return 0;
    return fc * bps * spc;
}

uint32_t CSetupPath::ClusterBytes() const {
    uint32_t spc, bps, fc, tc;
    if (!GetDiskFreeSpace(spc, bps, fc, tc))
        return 0;
    return bps * spc;
}

unsigned CSetupPath::DriveType() const {
#ifdef _WIN32
    CSetupPath root(*this);
    root.ToRoot();
    return GetDriveTypeA(root.GetText().c_str());
#else
    return 0;
#endif
}

// ---------------------------------------------------------------------------------------------
// CDriveIterator

namespace {
unsigned DriveTypeOfIndex(int index) {
#ifdef _WIN32
    char root[4] = {static_cast<char>('a' + index), ':', '\\', 0};
    return GetDriveTypeA(root);
#else
    (void)index;
    return 0;
#endif
}
} // namespace

bool CDriveIterator::Next() {
    for (int i = m_nIndex + 1; i <= 25; ++i) {
        if (DriveTypeOfIndex(i) != 0) {
            m_nIndex = i;
            return true;
        }
    }
    return false;
}

unsigned CDriveIterator::DriveType() const {
    return m_nIndex < 0 || m_nIndex > 25 ? 0 : DriveTypeOfIndex(m_nIndex);
}

std::string CDriveIterator::Letter() const {
    return std::string(1, static_cast<char>('A' + m_nIndex));
}

bool CDriveIterator::FindFirstOfType(unsigned type) {
    CDriveIterator copy(*this);
    while (copy.Next()) {
        if (copy.DriveType() == type) {
            m_nIndex = copy.m_nIndex;
            return true;
        }
    }
    return false;
}
