#include "system/ComponentRegistration.h"

#include "framework/CrashPoint.h"
#include "framework/ui/LoadedLibrary.h"
#include "framework/ui/SystemLibrary.h"
#include "profile/ProfileKeyList.h"
#include "system/CommandText.h"
#include "system/CurrentDirectory.h"
#include "system/RegistryKey.h"
#include "system/RegistryString.h"
#include "system/ShortcutClient.h"

#include <windows.h>

#include <cstdio>
#include <vector>

namespace {

using RegistrationEntry = HRESULT(STDAPICALLTYPE*)();

constexpr DWORD kValueBuffer = 260;

// "File<n>" or "Desc<n>" of a numbered section, cut to 259 characters, "" when missing.
std::string NumberedValue(const CSetupPath& file, const char* section, const char* prefix, int n) {
    char key[32];
    snprintf(key, sizeof key, "%s%d", prefix, n);
    char buffer[kValueBuffer] = "";
    GetPrivateProfileStringA(section, key, "", buffer, kValueBuffer, file.GetText().c_str());
    return buffer;
}

struct NumberedEntry {
    std::string file; // "File<n>", never empty
    std::string desc; // "Desc<n>", "" when missing
};

// The entries of a numbered section from 0 up to the first number without a "File" value;
// a later number after that gap is never read.
std::vector<NumberedEntry> NumberedEntries(const CSetupPath& file, const char* section) {
    std::vector<NumberedEntry> entries;
    for (int n = 0;; ++n) {
        NumberedEntry entry{NumberedValue(file, section, "File", n), std::string()};
        if (entry.file.empty())
            return entries;
        entry.desc = NumberedValue(file, section, "Desc", n);
        entries.push_back(entry);
    }
}

// Loads the library (its dependencies from its own folder), without the system's error
// boxes, and calls its entry point, if any.
void CallEntryPoint(const std::string& library, const char* entryName) {
    CLoadedLibrary module(LoadLibraryFromFolder(library));
    auto entry = module.Find<RegistrationEntry>(entryName);
    if (entry)
        entry(); // its result is not examined: a failed registration does not stop setup
}

void RegisterLibraries(const CSetupPath& registerIni, const CSetupPath& installDir, bool install) {
    const char* entryName = install ? "DllRegisterServer" : "DllUnregisterServer";
    const struct {
        const char* section;
        std::string folder;
    } places[] = {
        {"AppDir", AsFolderText(installDir.GetText())},
        {"WinDir", CSetupPath(kRootWindowsDir).GetText()},
        {"SysDir", CSetupPath(kRootSystemDir).GetText()},
    };
    CCurrentDirectoryKeeper keeper;
    for (const auto& place : places) {
        SetCurrentDirectoryA(place.folder.c_str());
        for (const std::string& name : ReadSectionValues(registerIni, place.section)) {
            // A library is loaded and run: it must lie in (or below) the folder named.
            if (!IsPlainRelativeName(name, true))
                continue;
            CallEntryPoint(place.folder + name, entryName);
            if (!install)
                PassCrashPoint(CrashPoint::kRegistryRemoved);
        }
    }
}

void ProgramIcons(CShortcutClient& client, const CSetupPath& registerIni,
                  const std::string& installFolder, const std::string& group, bool install) {
    for (const NumberedEntry& entry : NumberedEntries(registerIni, "ProgramIconAppDir")) {
        const std::string& title = entry.desc;
        if (!install) {
            client.RemoveProgramItem(group, title);
            PassCrashPoint(CrashPoint::kItemRemoved);
            continue;
        }
        std::string program, arguments;
        SplitProgramAndSwitches(entry.file, program, arguments);
        if (program.empty())
            continue;
        client.CreateShortcut(group, installFolder + program, arguments, title, nullptr, 0, nullptr,
                              -1, SW_SHOW);
    }
}

void StartUpEntries(const CSetupPath& registerIni, const std::string& installFolder, bool install) {
    for (const NumberedEntry& entry : NumberedEntries(registerIni, "StartUp")) {
        const std::string& name = entry.desc;
        if (install) {
            CRegistryString run(HKEY_LOCAL_MACHINE, kRunKey, name);
            // Windows runs this text as a command line: a blank in the path needs quotes.
            run.SetValue(QuoteCommandPath(installFolder + entry.file));
        } else {
            CRegistryKey run;
            if (run.Open(HKEY_LOCAL_MACHINE, kRunKey))
                run.DeleteValue(name);
            PassCrashPoint(CrashPoint::kRegistryRemoved);
        }
    }
}

} // namespace

bool RegisterComponentsWith(CShortcutClient& client, const CSetupPath& installDir,
                            const std::string& group, bool install) {
    const std::string installFolder = AsFolderText(installDir.GetText());
    const CSetupPath registerIni(installFolder + kRegisterIniName);
    RegisterLibraries(registerIni, installDir, install);
    ProgramIcons(client, registerIni, installFolder, group, install);
    StartUpEntries(registerIni, installFolder, install);
    return true;
}

bool RegisterComponents(const CSetupPath& installDir, const std::string& group, bool install) {
    CShortcutClient client; // connects to nothing until its first item
    return RegisterComponentsWith(client, installDir, group, install);
}
