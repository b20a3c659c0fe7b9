#include "SystemTestSupport.h"

#include "framework/ui/FindFile.h"

#include <cstdio>
#include <vector>

CScratchFolder::CScratchFolder() {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    static unsigned counter = 0;
    for (;;) {
        char name[MAX_PATH];
        snprintf(name, sizeof name, "%ssyst%04lx%02x\\", temp, GetCurrentProcessId() & 0xffff,
                 ++counter & 0xff);
        if (CreateDirectoryA(name, nullptr)) {
            m_strFolder = name;
            return;
        }
    }
}

CScratchFolder::~CScratchFolder() {
    RemoveFolderTree(m_strFolder);
}

void RemoveFolderTree(const std::string& folder) {
    std::string base = folder;
    if (!base.empty() && base.back() != '\\')
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

void WriteTextFile(const std::string& path, const std::string& text) {
    FILE* file = fopen(path.c_str(), "wb");
    if (!file)
        return;
    fwrite(text.data(), 1, text.size(), file);
    fclose(file);
}

std::string ReadTextFile(const std::string& path) {
    std::string text;
    FILE* file = fopen(path.c_str(), "rb");
    if (!file)
        return text;
    char buffer[4096];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, file)) > 0)
        text.append(buffer, n);
    fclose(file);
    return text;
}

bool FileExists(const std::string& path) {
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool FolderExists(const std::string& path) {
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::string RegistryText(HKEY root, const std::string& subkey, const std::string& name) {
    HKEY key;
    if (RegOpenKeyExA(root, subkey.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return "<missing>";
    std::vector<char> buffer(4096, '\0');
    DWORD size = static_cast<DWORD>(buffer.size() - 1);
    DWORD type = 0;
    LONG rc = RegQueryValueExA(key, name.c_str(), nullptr, &type,
                               reinterpret_cast<BYTE*>(buffer.data()), &size);
    RegCloseKey(key);
    if (rc != ERROR_SUCCESS)
        return "<missing>";
    return buffer.data();
}

bool RegistryKeyExists(HKEY root, const std::string& subkey) {
    HKEY key;
    if (RegOpenKeyExA(root, subkey.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

void SetRegistryText(HKEY root, const std::string& subkey, const std::string& name,
                     const std::string& text) {
    HKEY key;
    if (RegCreateKeyExA(root, subkey.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                        nullptr) != ERROR_SUCCESS)
        return;
    RegSetValueExA(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                   static_cast<DWORD>(text.size() + 1));
    RegCloseKey(key);
}

std::string WindowsPathOf(const std::string& unixPath) {
    std::string path = "Z:" + unixPath;
    for (char& c : path) {
        if (c == '/')
            c = '\\';
    }
    return path;
}

namespace {

struct TitleSearch {
    const std::string* title;
    int found;
};

BOOL CALLBACK CloseIfTitled(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<TitleSearch*>(param);
    char text[256] = "";
    GetWindowTextA(window, text, sizeof text);
    if (*search->title == text) {
        PostMessageA(window, WM_CLOSE, 0, 0);
        ++search->found;
    }
    return TRUE;
}

} // namespace

void CloseShellWindows(const std::string& title, DWORD waitMs) {
    const DWORD start = GetTickCount();
    while (!FindWindowA(nullptr, title.c_str()) && GetTickCount() - start < waitMs)
        Sleep(50);
    TitleSearch search{&title, 0};
    EnumWindows(CloseIfTitled, reinterpret_cast<LPARAM>(&search));
}
