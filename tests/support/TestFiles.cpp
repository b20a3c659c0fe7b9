#include "TestFiles.h"

#include <cstdio>
#include <random>
#include <stdexcept>
#include <utility>

#ifdef _WIN32
#include "framework/ui/FindFile.h"

#include <windows.h>
#else
#include <filesystem>
#include <system_error>

#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

#ifdef _WIN32
constexpr char kSeparator = '\\';

DWORD AttributesOf(const std::string& path) {
    return GetFileAttributesA(path.c_str());
}

std::string TemporaryFolder() {
    char temp[MAX_PATH + 1] = {};
    GetTempPathA(MAX_PATH, temp);
    return temp;
}

bool MakeFolder(const std::string& path) {
    return CreateDirectoryA(path.c_str(), nullptr) != 0;
}

unsigned long ProcessId() {
    return GetCurrentProcessId();
}

// The entries of folder (with its separator) but "." and "..": name and whether a folder.
std::vector<std::pair<std::string, bool>> EntriesOf(const std::string& folder) {
    std::vector<std::pair<std::string, bool>> entries;
    CFindFile find;
    for (bool more = find.First(folder + "*"); more; more = find.Next()) {
        if (!find.IsDotEntry())
            entries.emplace_back(find.GetName(), find.IsDirectory());
    }
    return entries;
}

void MakeWritable(const std::string&) {}

void DeleteOneFile(const std::string& path) {
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(path.c_str());
}

void DeleteEmptyFolder(const std::string& path) {
    RemoveDirectoryA(path.c_str());
}
#else
namespace fs = std::filesystem;

constexpr char kSeparator = '/';

std::string TemporaryFolder() {
    std::error_code ignored;
    std::string temp = fs::temp_directory_path(ignored).string();
    if (temp.empty())
        temp = "/tmp";
    return temp.back() == '/' ? temp : temp + '/';
}

bool MakeFolder(const std::string& path) {
    std::error_code ignored;
    return fs::create_directory(path, ignored);
}

unsigned long ProcessId() {
    return static_cast<unsigned long>(getpid());
}

std::vector<std::pair<std::string, bool>> EntriesOf(const std::string& folder) {
    std::vector<std::pair<std::string, bool>> entries;
    std::error_code error;
    fs::directory_iterator it(folder, error), end;
    for (; !error && it != end; it.increment(error)) {
        std::error_code ignored;
        entries.emplace_back(it->path().filename().string(),
                             it->is_directory(ignored) && !it->is_symlink(ignored));
    }
    return entries;
}

// A folder the code under test made read-only must still be emptied.
void MakeWritable(const std::string& folder) {
    std::error_code ignored;
    fs::permissions(folder, fs::perms::owner_all, fs::perm_options::add, ignored);
}

void DeleteOneFile(const std::string& path) {
    std::error_code ignored;
    fs::remove(path, ignored);
}

void DeleteEmptyFolder(const std::string& path) {
    std::error_code ignored;
    fs::remove(path, ignored);
}
#endif

// Calls visit(name, isFolder) for every entry of folder (with its separator) but "." and "..",
// listed before the first call, so that visit may delete them.
template <class Visit> void ForEachEntry(const std::string& folder, Visit visit) {
    for (const auto& entry : EntriesOf(folder))
        visit(entry.first, entry.second);
}

std::string WithSeparator(std::string folder) {
    if (folder.empty() || folder.back() != kSeparator)
        folder += kSeparator;
    return folder;
}

void ListBelow(const std::string& folder, const std::string& prefix,
               std::vector<std::string>& files) {
    ForEachEntry(folder, [&](const std::string& name, bool isFolder) {
        if (isFolder)
            ListBelow(folder + name + kSeparator, prefix + name + kSeparator, files);
        else
            files.push_back(prefix + name);
    });
}

} // namespace

CScratchFolder::CScratchFolder() {
    const std::string temp = TemporaryFolder();
    static unsigned counter = 0;
    for (;;) {
        char name[64];
        snprintf(name, sizeof name, "swtest%lu_%u", ProcessId(), ++counter);
        m_strFolder = temp + name + kSeparator;
        if (MakeFolder(m_strFolder))
            break;
    }
}

CScratchFolder::~CScratchFolder() {
    RemoveFolderTree(m_strFolder);
}

std::vector<std::string> CScratchFolder::Files() const {
    return FilesIn(m_strFolder);
}

void WriteFileBytes(const std::string& path, const std::string& bytes) {
    FILE* file = fopen(path.c_str(), "wb");
    bool written = file && fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    if (file && fclose(file) != 0)
        written = false;
    if (!written)
        throw std::runtime_error("cannot write " + path);
}

std::string ReadFileBytes(const std::string& path) {
    std::string bytes;
    FILE* file = fopen(path.c_str(), "rb");
    if (!file)
        return bytes;
    char buffer[4096];
    size_t count;
    while ((count = fread(buffer, 1, sizeof buffer, file)) > 0)
        bytes.append(buffer, count);
    fclose(file);
    return bytes;
}

#ifdef _WIN32
bool PathExists(const std::string& path) {
    return AttributesOf(path) != INVALID_FILE_ATTRIBUTES;
}

bool FileExists(const std::string& path) {
    DWORD attributes = AttributesOf(path);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool FolderExists(const std::string& path) {
    DWORD attributes = AttributesOf(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}
#else
bool PathExists(const std::string& path) {
    struct stat status;
    return stat(path.c_str(), &status) == 0;
}

bool FileExists(const std::string& path) {
    struct stat status;
    return stat(path.c_str(), &status) == 0 && !S_ISDIR(status.st_mode);
}

bool FolderExists(const std::string& path) {
    struct stat status;
    return stat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}
#endif

std::vector<std::string> FilesIn(const std::string& folder) {
    std::vector<std::string> names;
    ForEachEntry(WithSeparator(folder), [&](const std::string& name, bool isFolder) {
        if (!isFolder)
            names.push_back(name);
    });
    return names;
}

std::vector<std::string> ListFilesBelow(const std::string& folder) {
    std::vector<std::string> files;
    ListBelow(WithSeparator(folder), "", files);
    return files;
}

void RemoveFolderTree(const std::string& folder) {
    const std::string base = WithSeparator(folder);
    MakeWritable(base);
    ForEachEntry(base, [&](const std::string& name, bool isFolder) {
        if (isFolder)
            RemoveFolderTree(base + name);
        else
            DeleteOneFile(base + name);
    });
    DeleteEmptyFolder(base);
}

std::string RandomBytes(size_t count, unsigned seed) {
    std::mt19937 random(seed);
    std::string bytes(count, '\0');
    for (char& c : bytes)
        c = static_cast<char>(random());
    return bytes;
}
