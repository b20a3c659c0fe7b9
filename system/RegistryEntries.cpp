#include "system/RegistryEntries.h"

#include "framework/CrashPoint.h"
#include "system/CommandText.h"
#include "system/RegistryKey.h"
#include "system/RegistryString.h"

namespace {

constexpr DWORD kKeyNameBuffer = 260;

bool NamesRootItself(const std::string& subkey) {
    return subkey.find_first_not_of("\\ \t") == std::string::npos;
}

// Drive and directory of the path; a drive root keeps its backslash (C:\ stays C:\).
std::string FolderWithoutBackslash(const CSetupPath& path) {
    std::string folder = path.GetFolder();
    if (folder.size() > 3)
        RemoveTrailingBackslash(folder);
    return folder;
}

} // namespace

bool DeleteRegistryTree(HKEY root, const std::string& subkey) {
    if (NamesRootItself(subkey))
        return false;
    CRegistryKey key;
    if (!key.Open(root, subkey, KEY_ALL_ACCESS))
        return false;
    bool ok = true;
    // Index 0 every time: each deletion removes the child just found. A child that cannot be
    // deleted ends the loop instead of being found again forever.
    for (;;) {
        char name[kKeyNameBuffer];
        DWORD length = kKeyNameBuffer;
        if (RegEnumKeyExA(key.GetHandle(), 0, name, &length, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS)
            break;
        if (!DeleteRegistryTree(key.GetHandle(), std::string(name, length))) {
            ok = false;
            break;
        }
    }
    key.Close();
    return RegDeleteKeyA(root, subkey.c_str()) == ERROR_SUCCESS && ok;
}

bool WriteAppPath(const CSetupPath& programPath) {
    if (NamesRootItself(programPath.GetFileName()))
        return false;
    CRegistryKey key;
    if (!key.Create(HKEY_LOCAL_MACHINE,
                    std::string(kAppPathsKey) + "\\" + programPath.GetFileName()))
        return false;
    bool ok = key.SetString("", programPath.GetText());
    return key.SetString("Path", FolderWithoutBackslash(programPath)) && ok;
}

void RemoveAppPath(const CSetupPath& programPath) {
    if (NamesRootItself(programPath.GetFileName()))
        return; // would name the "App Paths" key itself
    CRegistryKey key;
    key.DeleteKey(HKEY_LOCAL_MACHINE, std::string(kAppPathsKey) + "\\" + programPath.GetFileName());
    PassCrashPoint(CrashPoint::kRegistryRemoved);
}

std::string MakeUninstallCommand(const CSetupPath& setupProgram) {
    return MakeCommandLine(setupProgram.GetText(), "/U");
}

void WriteUninstallEntry(const std::string& uninstallCommand, const std::string& entryName,
                         const std::string& displayName) {
    if (NamesRootItself(entryName))
        return;
    const std::string key = std::string(kUninstallKey) + "\\" + entryName;
    CRegistryString name(HKEY_LOCAL_MACHINE, key, "DisplayName", std::string(), true, true);
    name.SetValue(displayName);
    CRegistryString command(HKEY_LOCAL_MACHINE, key, "UninstallString", std::string(), true, true);
    command.SetValue(uninstallCommand);
    // Destroyed in reverse order: "UninstallString" is written first, creating the key.
}

void RemoveUninstallEntry(const std::string& entryName) {
    if (NamesRootItself(entryName))
        return; // would name the "Uninstall" key itself
    CRegistryKey key;
    key.DeleteKey(HKEY_LOCAL_MACHINE, std::string(kUninstallKey) + "\\" + entryName);
    PassCrashPoint(CrashPoint::kRegistryRemoved);
}
