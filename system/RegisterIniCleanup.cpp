#include "system/RegisterIniCleanup.h"

#include "framework/CrashPoint.h"
#include "framework/ui/FindFile.h"
#include "profile/Destination.h"
#include "profile/ProfileKeyList.h"
#include "system/CommandText.h"
#include "system/RegistryEntries.h"

#include <windows.h>

#include <string>
#include <vector>

namespace {

// A pattern that stays inside the folder it is applied to.
bool IsPlainPattern(const std::string& pattern) {
    if (pattern.find_first_not_of(" \t") == std::string::npos)
        return false;
    if (pattern.find_first_of("\\/:") != std::string::npos)
        return false;
    return pattern != "." && pattern != "..";
}

bool SameFolder(const CSetupPath& a, const CSetupPath& b) {
    std::string x = a.GetFolder();
    std::string y = b.GetFolder();
    return !x.empty() && lstrcmpiA(x.c_str(), y.c_str()) == 0;
}

bool IsSystemFolder(const CSetupPath& folder) {
    for (int root : {kRootWindowsDir, kRootSystemDir, kRootTempDir}) {
        if (SameFolder(folder, CSetupPath(root)))
            return true;
    }
    return false;
}

void DeleteMatches(const CSetupPath& folder, const std::string& pattern) {
    CSetupPath search(folder);
    search.SetFileName(pattern);
    CFindFile find;
    for (bool found = find.First(search.GetText()); found; found = find.Next()) {
        if (find.IsDirectory())
            continue;
        CSetupPath file(folder);
        file.SetFileName(find.GetName());
        file.Delete(true);
        PassCrashPoint(CrashPoint::kFileRemoved);
    }
}

} // namespace

CSetupPath RegisterIniPath() {
    CSetupPath path(kRootSetupDir);
    path.SetFileName("Register.ini");
    return path;
}

void DeleteListedRegistryKeys(const CSetupPath& registerIni) {
    for (const std::string& key : ReadSectionValues(registerIni, "RegistryKeys")) {
        DeleteRegistryTree(HKEY_CURRENT_USER, key);
        PassCrashPoint(CrashPoint::kRegistryRemoved);
        DeleteRegistryTree(HKEY_LOCAL_MACHINE, key);
        PassCrashPoint(CrashPoint::kRegistryRemoved);
    }
}

void RemoveDataFiles(const CDestinationMap& destinations, const CSetupPath& registerIni) {
    const std::vector<std::string> patterns = ReadSectionValues(registerIni, "DataFiles");
    for (const auto& entry : destinations.Records()) {
        const CDestination& destination = *entry.second;
        if (destination.m_nId < 0 || destination.m_path.GetText().empty())
            continue;
        const CSetupPath folder(AsFolderText(destination.m_path.GetText()));
        if (IsSystemFolder(folder))
            continue;
        for (const std::string& pattern : patterns) {
            if (IsPlainPattern(pattern))
                DeleteMatches(folder, pattern);
        }
    }
}
