#include "uninstall/UninstallHelperCommand.h"

#include "transfer/SetupPath.h"
#include "uninstall/UninstallRules.h"

#include <windows.h>

#include <vector>

std::string ShortPathOf(const std::string& path) {
    DWORD needed = GetShortPathNameA(path.c_str(), nullptr, 0);
    if (needed == 0)
        return path;
    std::vector<char> buffer(needed + 1);
    DWORD n = GetShortPathNameA(path.c_str(), buffer.data(), static_cast<DWORD>(buffer.size()));
    return n == 0 || n >= buffer.size() ? path : std::string(buffer.data(), n);
}

std::string MakeUninstallHelperCommandFor(const std::string& ownPath) {
    CSetupPath helper(static_cast<int>(kRootSystemDir));
    helper.SetFileName(kUninstallHelperName);
    CSetupPath own(ownPath);
    own.SetExtension("EXE");
    return MakeUninstallHelperCommand(helper.GetText(), ShortPathOf(own.GetText()));
}
