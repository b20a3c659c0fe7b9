#include "ProductState.h"

#include "framework/ui/FindFile.h"
#include "framework/ui/Handle.h"
#include "sample/selfreg/selfreg.h"
#include "system/ProgmanClient.h"
#include "system/RegistryEntries.h"
#include "system/ShortcutClient.h"
#include "system/WindowsVersion.h"
#include "uninstall/SharedFileCount.h"
#include "uninstall/UninstallRules.h"

#include <gtest/gtest.h>

#include <shlobj.h>
#include <tlhelp32.h>

#include <algorithm>
#include <cstdlib>

namespace {

constexpr char kProductName[] = "Corvatek Shiftwell";
constexpr char kMainExe[] = "shift.exe";
constexpr char kRunKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";

std::string WithBackslash(std::string folder) {
    if (!folder.empty() && folder.back() != '\\')
        folder += '\\';
    return folder;
}

std::string Field(const std::string& value, int index) {
    size_t start = 0;
    for (int i = 0; i < index; ++i) {
        start = value.find('|', start);
        if (start == std::string::npos)
            return {};
        ++start;
    }
    return value.substr(start, value.find('|', start) - start);
}

// "File%d"/"Desc%d" pairs of a REGISTER.INI section, up to the first empty File.
std::vector<std::string> NumberedDescs(const std::string& file, const std::string& section) {
    std::vector<std::string> descs;
    for (int n = 0;; ++n) {
        if (IniValue(file, section, "File" + std::to_string(n)).empty())
            return descs;
        descs.push_back(IniValue(file, section, "Desc" + std::to_string(n)));
    }
}

std::vector<std::string> SectionValues(const std::string& file, const std::string& section) {
    std::vector<std::string> values;
    for (const std::string& key : IniKeys(file, section))
        values.push_back(IniValue(file, section, key));
    return values;
}

bool AnyMatch(const std::string& folder, const std::string& pattern) {
    return CFindFile().First(folder + pattern);
}

std::string AppPathKey() {
    return std::string(kAppPathsKey) + "\\" + kMainExe;
}

std::string UninstallEntryKey() {
    return std::string(kUninstallKey) + "\\" + kProductName;
}

} // namespace

DWORD SharedCountOf(const std::string& path) {
    return RegistryNumber(HKEY_LOCAL_MACHINE, kSharedDllsKey, path);
}

namespace {

// Where Wine's shell, answering Program Manager's DDE service, keeps a group's items.
std::string ShellProgramsGroupFolder(const std::string& group) {
    char programs[MAX_PATH] = "";
    if (FAILED(SHGetFolderPathA(nullptr, CSIDL_PROGRAMS, nullptr, 0, programs)))
        return {};
    return WithBackslash(programs) + group + "\\";
}

// The shortcut file of an item: written by setup on the new shell, by the shell that answers
// Program Manager's service on the old one.
std::string ShortcutPathOf(const std::string& group, const std::string& title) {
    if (IsNewShell())
        return CShortcutClient().GetShortcutPath(group, title).GetText();
    return ShellProgramsGroupFolder(group) + title + ".lnk";
}

} // namespace

bool GroupThere(const std::string& group) {
    if (IsNewShell())
        return FolderExists(CShortcutClient().GetGroupFolder(group).GetText());
    std::vector<std::string> names;
    CProgmanClient progman;
    if (progman.GetGroupNames(names) &&
        std::any_of(names.begin(), names.end(),
                    [&](const std::string& name) { return EqualsIgnoringCase(name, group); }))
        return true;
    return FolderExists(ShellProgramsGroupFolder(group));
}

bool WaitUntilGone(const std::string& path, DWORD timeoutMs) {
    DWORD start = GetTickCount();
    while (GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES) {
        if (GetTickCount() - start >= timeoutMs)
            return false;
        Sleep(100);
    }
    return true;
}

std::vector<DWORD> ProcessesNamed(const std::string& name) {
    std::vector<DWORD> ids;
    CHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    PROCESSENTRY32 entry = {};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32First(snapshot.Get(), &entry); more;
         more = Process32Next(snapshot.Get(), &entry)) {
        if (EqualsIgnoringCase(entry.szExeFile, name))
            ids.push_back(entry.th32ProcessID);
    }
    return ids;
}

bool WaitForRemovalHelpers(DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    for (DWORD id : ProcessesNamed(kUninstallHelperName)) {
        CHandle helper(OpenProcess(SYNCHRONIZE, FALSE, id));
        const DWORD spent = GetTickCount() - start;
        if (helper.IsValid() &&
            (spent >= timeoutMs ||
             WaitForSingleObject(helper.Get(), timeoutMs - spent) != WAIT_OBJECT_0))
            return false;
    }
    return true;
}

void CProductState::UninstallCommand(std::string& program, std::string& arguments) {
    program.clear();
    arguments.clear();
    std::string command = RegistryText(HKEY_LOCAL_MACHINE, UninstallEntryKey(), "UninstallString");
    if (command == "<missing>")
        return;
    size_t end;
    if (!command.empty() && command[0] == '"') {
        end = command.find('"', 1);
        program = command.substr(1, end - 1);
        end = end == std::string::npos ? end : end + 1;
    } else {
        end = command.find(' ');
        program = command.substr(0, end);
    }
    if (end != std::string::npos)
        arguments = command.substr(command.find_first_not_of(' ', end));
}

void CProductState::Capture(const std::string& logPath) {
    m_strLogPath = logPath;
    std::map<int, std::string> folders = {
        {-2, WindowsDirectoryPath()}, {-3, SystemDirectoryPath()}, {-4, std::string()}};
    for (const std::string& id : IniKeys(logPath, "destinations")) {
        std::string folder = WithBackslash(Field(IniValue(logPath, "destinations", id), 2));
        folders[std::atoi(id.c_str())] = folder;
        if (std::atoi(id.c_str()) >= 0 && !folder.empty())
            m_folders.push_back(folder);
    }
    m_strInstallDir = folders[0];
    std::string arguments;
    UninstallCommand(m_strSetupProgram, arguments);
    for (const std::string& group : IniKeys(logPath, "groups")) {
        for (const std::string& key : IniKeys(logPath, group)) {
            int id = std::atoi(Field(IniValue(logPath, group, key), 0).c_str());
            if (folders[id].empty())
                continue;
            LoggedFile file{folders[id] + key, static_cast<int16_t>(id)};
            m_files.push_back(file);
            if (id == -3)
                m_sharedCounts[file.strPath] = SharedCountOf(file.strPath);
        }
    }
    for (const std::string& key : IniKeys(logPath, "targets")) {
        std::string value = IniValue(logPath, "targets", key);
        if (!Field(value, 6).empty())
            m_itemTitles.push_back(Field(value, 3));
    }
    const std::string setupIni = m_strInstallDir + "SETUP.INI";
    std::vector<std::string> created = IniKeys(setupIni, "GroupCreated");
    m_strGroup = created.empty() ? kProductName : IniValue(setupIni, "GroupCreated", created[0]);
    const std::string registerIni = m_strInstallDir + "REGISTER.INI";
    m_extraItemTitles = NumberedDescs(registerIni, "ProgramIconAppDir");
    m_runValues = NumberedDescs(registerIni, "StartUp");
    m_libraries = SectionValues(registerIni, "AppDir");
    const std::string cleanupIni = m_strInstallDir + "Register.ini"; // the same file
    m_registryKeys = SectionValues(cleanupIni, "RegistryKeys");
    m_dataPatterns = SectionValues(cleanupIni, "DataFiles");
}

void ExpectInstalled(const CProductState& state) {
    ASSERT_FALSE(state.m_strInstallDir.empty()) << "no install folder in " << state.m_strLogPath;
    for (const LoggedFile& file : state.m_files)
        EXPECT_TRUE(FileExists(file.strPath)) << file.strPath;
    for (const auto& shared : state.m_sharedCounts)
        EXPECT_GE(shared.second, 1u) << shared.first;
    EXPECT_TRUE(RegistryKeyExists(HKEY_LOCAL_MACHINE, AppPathKey()));
    EXPECT_TRUE(RegistryKeyExists(HKEY_LOCAL_MACHINE, UninstallEntryKey()));
    for (const std::string& name : state.m_runValues)
        EXPECT_TRUE(RegistryValueExists(HKEY_LOCAL_MACHINE, kRunKey, name)) << name;
    EXPECT_TRUE(GroupThere(state.m_strGroup)) << state.m_strGroup;
    for (const std::string& title : state.m_itemTitles)
        EXPECT_TRUE(FileExists(ShortcutPathOf(state.m_strGroup, title))) << title;
    // Wine's stand-in for Program Manager makes no item of a command with arguments, as the
    // extra items of REGISTER.INI have.
    for (const std::string& title : state.m_extraItemTitles) {
        if (IsNewShell()) {
            EXPECT_TRUE(FileExists(ShortcutPathOf(state.m_strGroup, title))) << title;
        }
    }
    for (const std::string& library : state.m_libraries) {
        if (EqualsIgnoringCase(library, "shiftreg.dll")) {
            EXPECT_TRUE(RegistryKeyExists(HKEY_CLASSES_ROOT, SHIFTREG_CLSID_KEY));
        }
    }
}

void ExpectNothingRemoved(const CProductState& state) {
    for (const LoggedFile& file : state.m_files)
        EXPECT_TRUE(FileExists(file.strPath)) << file.strPath;
    for (const auto& shared : state.m_sharedCounts)
        EXPECT_EQ(shared.second, SharedCountOf(shared.first)) << shared.first;
    EXPECT_TRUE(FileExists(state.m_strInstallDir + "SETUP.INI"));
    EXPECT_TRUE(RegistryKeyExists(HKEY_LOCAL_MACHINE, AppPathKey()));
    EXPECT_TRUE(RegistryKeyExists(HKEY_LOCAL_MACHINE, UninstallEntryKey()));
    for (const std::string& name : state.m_runValues)
        EXPECT_TRUE(RegistryValueExists(HKEY_LOCAL_MACHINE, kRunKey, name)) << name;
    EXPECT_TRUE(GroupThere(state.m_strGroup)) << state.m_strGroup;
}

void ExpectRemoved(const CProductState& state, bool helperRan) {
    const std::string& setupProgram = state.m_strSetupProgram;
    for (const LoggedFile& file : state.m_files) {
        const std::string name = file.strPath.substr(file.strPath.find_last_of('\\') + 1);
        if (file.nDestination == -3 || IsKeptFileName(name)) {
            EXPECT_TRUE(FileExists(file.strPath)) << file.strPath << " must stay";
        } else if (!EqualsIgnoringCase(file.strPath, setupProgram)) {
            EXPECT_FALSE(FileExists(file.strPath)) << file.strPath;
        }
    }
    for (const auto& shared : state.m_sharedCounts) {
        DWORD expected = shared.second > 0 ? shared.second - 1 : 0;
        EXPECT_EQ(expected, SharedCountOf(shared.first)) << shared.first;
    }
    for (const std::string& folder : state.m_folders) {
        for (const std::string& pattern : state.m_dataPatterns)
            EXPECT_FALSE(AnyMatch(folder, pattern)) << folder << pattern;
    }
    // Setup's record of the group stays, as the log does.
    EXPECT_TRUE(FileExists(state.m_strInstallDir + "SETUP.INI"));
    EXPECT_FALSE(RegistryKeyExists(HKEY_LOCAL_MACHINE, AppPathKey()));
    EXPECT_FALSE(RegistryKeyExists(HKEY_LOCAL_MACHINE, UninstallEntryKey()));
    for (const std::string& name : state.m_runValues)
        EXPECT_FALSE(RegistryValueExists(HKEY_LOCAL_MACHINE, kRunKey, name)) << name;
    for (const std::string& key : state.m_registryKeys) {
        EXPECT_FALSE(RegistryKeyExists(HKEY_CURRENT_USER, key)) << key;
        EXPECT_FALSE(RegistryKeyExists(HKEY_LOCAL_MACHINE, key)) << key;
    }
    EXPECT_FALSE(RegistryKeyExists(HKEY_CLASSES_ROOT, SHIFTREG_CLSID_KEY));
    EXPECT_FALSE(GroupThere(state.m_strGroup)) << state.m_strGroup;
    for (const std::string& title : state.m_itemTitles)
        EXPECT_FALSE(FileExists(ShortcutPathOf(state.m_strGroup, title))) << title;
    for (const std::string& title : state.m_extraItemTitles)
        EXPECT_FALSE(FileExists(ShortcutPathOf(state.m_strGroup, title))) << title;
    // The log keeps every section.
    EXPECT_FALSE(IniKeys(state.m_strLogPath, "destinations").empty());
    if (helperRan) {
        EXPECT_TRUE(WaitUntilGone(setupProgram, 30000)) << setupProgram;
        // Its last step, the attempt on the install folder, is over too.
        EXPECT_TRUE(WaitForRemovalHelpers(30000));
        // SETUP.INI keeps the install folder; the folders below it that held installed files
        // only are gone.
        EXPECT_TRUE(FolderExists(state.m_strInstallDir)) << state.m_strInstallDir;
        for (const std::string& folder : state.m_folders) {
            if (folder != state.m_strInstallDir) {
                EXPECT_FALSE(FolderExists(folder)) << folder;
            }
        }
    }
}

std::vector<std::string> DescribeProductLeftovers(const CProductState& state) {
    std::vector<std::string> lines;
    auto yesNo = [](bool there) { return there ? "yes" : "no"; };
    for (const std::string& folder : state.m_folders) {
        lines.push_back("folder " + folder + " " + yesNo(FolderExists(folder)));
        for (const std::string& file : ListFilesBelow(folder))
            lines.push_back("file " + folder + file);
    }
    for (const LoggedFile& file : state.m_files)
        lines.push_back("logged " + file.strPath + " " + yesNo(FileExists(file.strPath)));
    for (const auto& shared : state.m_sharedCounts) {
        lines.push_back("count " + shared.first + " " +
                        (RegistryValueExists(HKEY_LOCAL_MACHINE, kSharedDllsKey, shared.first)
                             ? std::to_string(SharedCountOf(shared.first))
                             : std::string("none")));
    }
    lines.push_back(std::string("app path ") +
                    yesNo(RegistryKeyExists(HKEY_LOCAL_MACHINE, AppPathKey())));
    lines.push_back(std::string("uninstall entry ") +
                    yesNo(RegistryKeyExists(HKEY_LOCAL_MACHINE, UninstallEntryKey())));
    for (const std::string& name : state.m_runValues)
        lines.push_back("run " + name + " " +
                        yesNo(RegistryValueExists(HKEY_LOCAL_MACHINE, kRunKey, name)));
    for (const std::string& key : state.m_registryKeys) {
        lines.push_back("HKCU " + key + " " + yesNo(RegistryKeyExists(HKEY_CURRENT_USER, key)));
        lines.push_back("HKLM " + key + " " + yesNo(RegistryKeyExists(HKEY_LOCAL_MACHINE, key)));
    }
    lines.push_back(std::string("component ") +
                    yesNo(RegistryKeyExists(HKEY_CLASSES_ROOT, SHIFTREG_CLSID_KEY)));
    lines.push_back("group " + state.m_strGroup + " " + yesNo(GroupThere(state.m_strGroup)));
    for (const auto* titles : {&state.m_itemTitles, &state.m_extraItemTitles}) {
        for (const std::string& title : *titles)
            lines.push_back("item " + title + " " +
                            yesNo(FileExists(ShortcutPathOf(state.m_strGroup, title))));
    }
    std::sort(lines.begin(), lines.end());
    return lines;
}
