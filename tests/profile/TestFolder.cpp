#include "TestFolder.h"

#include "framework/ui/FindFile.h"

#include <windows.h>

#include <cstdio>

void RemoveFolderTree(const std::string& folder) {
    std::string base = folder;
    if (base.empty() || base.back() != '\\')
        base += '\\';
    CFindFile find;
    for (bool more = find.First(base + "*"); more; more = find.Next()) {
        if (find.IsDotEntry())
            continue;
        const std::string path = base + find.GetName();
        if (find.IsDirectory()) {
            RemoveFolderTree(path);
        } else {
            SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            DeleteFileA(path.c_str());
        }
    }
    find.Close();
    RemoveDirectoryA(base.c_str());
}

CTestFolder::CTestFolder() {
    char temp[MAX_PATH + 1] = {};
    GetTempPathA(MAX_PATH, temp);
    static unsigned counter = 0;
    for (;;) {
        char name[64];
        snprintf(name, sizeof name, "swtest%lu_%u\\", GetCurrentProcessId(), ++counter);
        m_strFolder = std::string(temp) + name;
        if (CreateDirectoryA(m_strFolder.c_str(), nullptr))
            break;
    }
}

CTestFolder::~CTestFolder() {
    RemoveFolderTree(m_strFolder);
}

std::vector<std::string> CTestFolder::Files() const {
    std::vector<std::string> names;
    CFindFile find;
    for (bool more = find.First(m_strFolder + "*"); more; more = find.Next()) {
        if (!find.IsDirectory())
            names.push_back(find.GetName());
    }
    return names;
}

void WriteBytes(const std::string& path, const std::string& bytes) {
    FILE* file = fopen(path.c_str(), "wb");
    if (!file)
        return;
    fwrite(bytes.data(), 1, bytes.size(), file);
    fclose(file);
}

std::string ReadBytes(const std::string& path) {
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

bool FileExists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool FolderExists(const std::string& path) {
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}
