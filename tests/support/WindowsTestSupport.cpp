#include "WindowsTestSupport.h"

#include "system/RegistryKey.h"

#include <cstring>
#include <vector>

namespace {

std::string WithBackslash(std::string folder) {
    if (!folder.empty() && folder.back() != '\\')
        folder += '\\';
    return folder;
}

} // namespace

std::string HostPathToWindows(const std::string& hostPath) {
    std::string path = "Z:" + hostPath;
    for (char& c : path) {
        if (c == '/')
            c = '\\';
    }
    return path;
}

std::string WindowsDirectoryPath() {
    char folder[MAX_PATH] = {};
    GetWindowsDirectoryA(folder, MAX_PATH);
    return WithBackslash(folder);
}

std::string SystemDirectoryPath() {
    char folder[MAX_PATH] = {};
    GetSystemDirectoryA(folder, MAX_PATH);
    return WithBackslash(folder);
}

std::string IniValue(const std::string& file, const std::string& section, const std::string& key) {
    std::vector<char> buffer(4096, '\0');
    DWORD count = GetPrivateProfileStringA(section.c_str(), key.c_str(), "", buffer.data(),
                                           static_cast<DWORD>(buffer.size()), file.c_str());
    return std::string(buffer.data(), count);
}

std::vector<std::string> IniKeys(const std::string& file, const std::string& section) {
    std::vector<char> buffer(1 << 20);
    DWORD count = GetPrivateProfileStringA(section.c_str(), nullptr, "", buffer.data(),
                                           static_cast<DWORD>(buffer.size()), file.c_str());
    std::vector<std::string> keys;
    for (const char* key = buffer.data(); key < buffer.data() + count && *key;
         key += strlen(key) + 1)
        keys.push_back(key);
    return keys;
}

std::string RegistryText(HKEY root, const std::string& subkey, const std::string& name) {
    CRegistryKey key;
    if (!key.Open(root, subkey, KEY_READ))
        return "<missing>";
    std::vector<char> buffer(4096, '\0');
    DWORD size = static_cast<DWORD>(buffer.size() - 1);
    DWORD type = 0;
    if (RegQueryValueExA(key.GetHandle(), name.c_str(), nullptr, &type,
                         reinterpret_cast<BYTE*>(buffer.data()), &size) != ERROR_SUCCESS)
        return "<missing>";
    return buffer.data();
}

bool RegistryKeyExists(HKEY root, const std::string& subkey) {
    CRegistryKey key;
    return key.Open(root, subkey, KEY_READ);
}

bool RegistryValueExists(HKEY root, const std::string& subkey, const std::string& name) {
    CRegistryKey key;
    return key.Open(root, subkey, KEY_READ) &&
           RegQueryValueExA(key.GetHandle(), name.c_str(), nullptr, nullptr, nullptr, nullptr) ==
               ERROR_SUCCESS;
}

DWORD RegistryNumber(HKEY root, const std::string& subkey, const std::string& name) {
    CRegistryKey key;
    DWORD number = 0, type = 0, size = sizeof number;
    if (!key.Open(root, subkey, KEY_READ) ||
        RegQueryValueExA(key.GetHandle(), name.c_str(), nullptr, &type,
                         reinterpret_cast<BYTE*>(&number), &size) != ERROR_SUCCESS ||
        type != REG_DWORD || size != sizeof number)
        return 0;
    return number;
}

bool SetRegistryText(HKEY root, const std::string& subkey, const std::string& name,
                     const std::string& text) {
    CRegistryKey key;
    return key.Create(root, subkey) &&
           RegSetValueExA(key.GetHandle(), name.c_str(), 0, REG_SZ,
                          reinterpret_cast<const BYTE*>(text.c_str()),
                          static_cast<DWORD>(text.size() + 1)) == ERROR_SUCCESS;
}

bool SetRegistryNumber(HKEY root, const std::string& subkey, const std::string& name,
                       DWORD number) {
    CRegistryKey key;
    return key.Create(root, subkey) &&
           RegSetValueExA(key.GetHandle(), name.c_str(), 0, REG_DWORD,
                          reinterpret_cast<const BYTE*>(&number), sizeof number) == ERROR_SUCCESS;
}
