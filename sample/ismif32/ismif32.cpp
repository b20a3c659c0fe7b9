// Stand-in for the systems-management status library that a managed computer has in its
// system directory. Its InstallStatusMIF records the outcome of an installation in a small
// status file "<status file name>.mif" in the Windows directory:
//
//   [Status]
//   Manufacturer=...      Product=...      Version=...      Locale=...
//   SerialNumber=...      Description=...  Success=1 or 0
//
// The real service's file format is its own business; setup only makes the call.
#include <windows.h>

#include <cstring>
#include <string>

namespace {

bool IsPlainName(const char* name) {
    if (!name || !*name || strlen(name) > 64)
        return false;
    return strpbrk(name, "\\/:*?\"<>|") == nullptr && strcmp(name, ".") != 0 &&
           strcmp(name, "..") != 0;
}

std::string Text(const char* text) {
    return text ? text : "";
}

} // namespace

extern "C" BOOL WINAPI InstallStatusMIF(LPSTR statusFileName, LPSTR manufacturer, LPSTR product,
                                        LPSTR version, LPSTR locale, LPSTR serialNumber,
                                        LPSTR description, BOOL success) {
    if (!IsPlainName(statusFileName))
        return FALSE;
    char windows[MAX_PATH + 1] = {};
    UINT length = GetWindowsDirectoryA(windows, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return FALSE;
    std::string file = std::string(windows);
    if (file.back() != '\\')
        file += '\\';
    file += std::string(statusFileName) + ".mif";
    DeleteFileA(file.c_str()); // one report per installation: the newest
    const struct {
        const char* key;
        std::string value;
    } entries[] = {
        {"Manufacturer", Text(manufacturer)}, {"Product", Text(product)},
        {"Version", Text(version)},           {"Locale", Text(locale)},
        {"SerialNumber", Text(serialNumber)}, {"Description", Text(description)},
        {"Success", success ? "1" : "0"},
    };
    for (const auto& entry : entries) {
        if (!WritePrivateProfileStringA("Status", entry.key, entry.value.c_str(), file.c_str()))
            return FALSE;
    }
    return TRUE;
}
