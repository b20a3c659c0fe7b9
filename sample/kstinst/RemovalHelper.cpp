#include "sample/kstinst/RemovalHelper.h"

#include "profile/ProfileFields.h"
#include "uninstall/UninstallRules.h"

#include <vector>

namespace {

constexpr char kLogFileName[] = "shift.log";

std::string DefaultLogPath() {
    char folder[MAX_PATH + 1] = {};
    UINT n = GetWindowsDirectoryA(folder, MAX_PATH);
    if (n == 0 || n > MAX_PATH)
        return {};
    std::string path(folder, n);
    if (path.back() != '\\')
        path.push_back('\\');
    return path + kLogFileName;
}

// The full form of a path; the text itself when the system cannot make one.
std::string FullPath(const std::string& path) {
    DWORD needed = GetFullPathNameA(path.c_str(), 0, nullptr, nullptr);
    if (needed == 0)
        return path;
    std::vector<char> buffer(needed + 1);
    DWORD n =
        GetFullPathNameA(path.c_str(), static_cast<DWORD>(buffer.size()), buffer.data(), nullptr);
    return n == 0 || n >= buffer.size() ? path : std::string(buffer.data(), n);
}

// One spelling per folder, for comparing: the short form when there is one.
std::string ComparableFolder(const std::string& folder) {
    std::string text = FullPath(folder);
    DWORD needed = GetShortPathNameA(text.c_str(), nullptr, 0);
    if (needed != 0) {
        std::vector<char> buffer(needed + 1);
        DWORD n = GetShortPathNameA(text.c_str(), buffer.data(), static_cast<DWORD>(buffer.size()));
        if (n != 0 && n < buffer.size())
            text.assign(buffer.data(), n);
    }
    while (text.size() > 3 && (text.back() == '\\' || text.back() == '/'))
        text.pop_back();
    return text;
}

std::string FolderOf(const std::string& path) {
    size_t cut = path.find_last_of("\\/");
    return cut == std::string::npos ? std::string() : path.substr(0, cut + 1);
}

bool HasExeExtension(const std::string& path) {
    return path.size() > 4 && EqualsIgnoringCase(path.substr(path.size() - 4), ".exe");
}

bool IsMissing(DWORD error) {
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

// Deletes the file as soon as its program has ended (a running program's file cannot be
// deleted). True when the file is gone.
bool DeleteWhenEnded(const std::string& path, const HelperSettings& settings) {
    const DWORD start = GetTickCount();
    for (;;) {
        DWORD attributes = GetFileAttributesA(path.c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES)
            return IsMissing(GetLastError());
        if (attributes & FILE_ATTRIBUTE_DIRECTORY)
            return false;
        if (attributes & FILE_ATTRIBUTE_READONLY)
            SetFileAttributesA(path.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
        if (DeleteFileA(path.c_str()) || IsMissing(GetLastError()))
            return true;
        if (GetTickCount() - start >= settings.nWaitMilliseconds)
            return false;
        // Waiting for input rather than sleeping: setup starts the helper with WinExec, which
        // returns (and lets setup end) only once the new program is idle for input.
        MsgWaitForMultipleObjects(0, nullptr, FALSE, settings.nPollMilliseconds, QS_ALLINPUT);
    }
}

void LeaveFolder() {
    char folder[MAX_PATH + 1] = {};
    UINT n = GetSystemDirectoryA(folder, MAX_PATH);
    if (n != 0 && n <= MAX_PATH)
        SetCurrentDirectoryA(folder);
}

} // namespace

std::string LoggedInstallFolder(const std::string& logPath) {
    std::vector<char> value(1024);
    DWORD n = GetPrivateProfileStringA("destinations", "0", "", value.data(),
                                       static_cast<DWORD>(value.size()), logPath.c_str());
    std::string path;
    GetProfileField(path, std::string(value.data(), n), 2);
    return path;
}

HelperResult RunRemovalHelper(const std::string& commandLine, const HelperSettings& settings) {
    const std::string named = FindSetupProgramSwitch(commandLine);
    if (!HasUninstallSwitch(commandLine) || named.empty())
        return kHelperUsage;
    const std::string setupProgram = FullPath(named);
    if (!HasExeExtension(setupProgram))
        return kHelperRefused;

    const std::string logPath =
        settings.strLogPath.empty() ? DefaultLogPath() : settings.strLogPath;
    const std::string installFolder = LoggedInstallFolder(logPath);
    if (installFolder.empty() || !EqualsIgnoringCase(ComparableFolder(FolderOf(setupProgram)),
                                                     ComparableFolder(installFolder)))
        return kHelperRefused;

    if (!DeleteWhenEnded(setupProgram, settings))
        return kHelperTimedOut;
    // Setup starts the helper from the install folder: as long as that is the helper's own
    // current directory, the folder cannot be removed.
    LeaveFolder();
    // Only succeeds when nothing else is left in the folder.
    RemoveDirectoryA(ComparableFolder(installFolder).c_str());
    return kHelperDone;
}
