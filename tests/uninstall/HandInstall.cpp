#include "HandInstall.h"

#include "ProductState.h"

#include "TestFiles.h"
#include "WindowsTestSupport.h"

#include "profile/ProgramItem.h"
#include "system/ComponentRegistration.h"
#include "system/ProgramItems.h"
#include "system/RegistryEntries.h"
#include "uninstall/SharedFileCount.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>

namespace {

constexpr char kProductName[] = "Corvatek Shiftwell";

void Ini(const std::string& file, const char* section, const std::string& key,
         const std::string& value) {
    WritePrivateProfileStringA(section, key.c_str(), value.c_str(), file.c_str());
}

// A file in place and its line in the log, as the copy engine writes them.
void Install(const std::string& log, const char* group, const std::string& folder,
             const std::string& name, int destination, const std::string& source = {}) {
    const std::string path = folder + name;
    if (source.empty())
        WriteFileBytes(path, "Corvatek Shiftwell " + name);
    else
        ASSERT_TRUE(CopyFileA(source.c_str(), path.c_str(), FALSE)) << source;
    Ini(log, group, name, std::to_string(destination) + "|1|0");
    if (destination == -3) {
        ASSERT_TRUE(
            SetRegistryNumber(HKEY_LOCAL_MACHINE, kSharedDllsKey, path, SharedCountOf(path) + 1));
    }
}

void SetRegistryValue(HKEY root, const std::string& subkey) {
    SetRegistryText(root, subkey, "LastPlan", "week 12");
}

} // namespace

std::string InstallLogPath() {
    return WindowsDirectoryPath() + "shift.log";
}

void InstallByHand(const HandInstallOptions& options) {
    const std::string& dir = options.strInstallDir;
    const std::string data = dir + "DATA\\";
    const std::string log = InstallLogPath();
    RemoveFolderTree(dir);
    DeleteFileA(log.c_str());
    ASSERT_TRUE(CreateDirectoryA(dir.c_str(), nullptr)) << dir;
    ASSERT_TRUE(CreateDirectoryA(data.c_str(), nullptr)) << data;

    // One file: "REGISTER.INI" for the registration, read as "Register.ini" by the removal.
    WriteFileBytes(dir + "REGISTER.INI",
                   "[AppDir]\r\nLibrary1=shiftreg.dll\r\n"
                   "[ProgramIconAppDir]\r\nFile0=shift.exe /-safe\r\n"
                   "Desc0=Corvatek Shiftwell (Safe Mode)\r\n"
                   "[StartUp]\r\nFile0=shift.exe\r\nDesc0=Corvatek Shiftwell\r\n"
                   "[DataFiles]\r\nFile1=*.tmp\r\nFile2=shift.cfg\r\n"
                   "[RegistryKeys]\r\nKey1=Software\\Corvatek\\Shiftwell\r\n");
    Install(log, "Program", dir, "SETUP.EXE", 0, options.strSetupExe);
    Install(log, "Program", dir, "shift.exe", 0);
    Ini(log, "Program", "REGISTER.INI", "0|1|0");
    Install(log, "Program", dir, "shiftreg.dll", 0, options.strLibraryDll);
    Install(log, "Program", data, "shift.dat", 1);
    Install(log, "Shared", SystemDirectoryPath(), "shiftcom.dll", -3);
    Install(log, "Shared", SystemDirectoryPath(), "_kstinst.exe", -3, options.strHelperExe);
    Install(log, "Help", dir, "shift.txt", 0);
    for (int n = 0; n < options.nBulkFiles; ++n) {
        char name[32];
        snprintf(name, sizeof name, "PLAN%04d.SHP", n);
        Install(log, "Templates", data, name, 1);
    }

    std::string installText = dir.substr(0, dir.size() - 1);
    Ini(log, "destinations", "0", "SHIFT||" + installText);
    Ini(log, "destinations", "1", "DATA|0|" + data);
    Ini(log, "groups", "Program", "Program Files|Corvatek Shiftwell program and data|1|1|1");
    Ini(log, "groups", "Shared", "Shared Files|Libraries shared with other programs|1|1|1");
    Ini(log, "groups", "Help", "Help|The help text|0|1|1");
    // After "Shared" in the removal's order: a removal cancelled among them has already
    // released the shared counts.
    Ini(log, "groups", "Templates", "Templates|Shift plan templates|0|0|1");
    Ini(log, "targets", "shift.exe", "0|0|0|Corvatek Shiftwell|||" + dir + "shift.exe");
    Ini(log, "targets", "shift.txt", "0|0|0|Shiftwell Help|||" + dir + "shift.txt");
    Ini(dir + "SETUP.INI", "GroupCreated", "Data0", options.strGroup);

    CProgramItemMap items;
    items.LoadFromProfile(CSetupPath(log));
    CreateProgramItems(items, options.strGroup, CSetupPath(dir), nullptr);
    WriteAppPath(CSetupPath(dir + "shift.exe"));
    WriteUninstallEntry(MakeUninstallCommand(CSetupPath(dir + "SETUP.EXE")), kProductName,
                        kProductName);
    RegisterComponents(CSetupPath(dir), options.strGroup, true);

    // What the product leaves behind when it is used.
    WriteFileBytes(dir + "recover.tmp", "autosave");
    WriteFileBytes(data + "plan.tmp", "autosave");
    WriteFileBytes(dir + "shift.cfg", "[Options]\r\n");
    SetRegistryValue(HKEY_CURRENT_USER, "Software\\Corvatek\\Shiftwell\\Settings");
    SetRegistryValue(HKEY_LOCAL_MACHINE, "Software\\Corvatek\\Shiftwell\\Licence");
}
