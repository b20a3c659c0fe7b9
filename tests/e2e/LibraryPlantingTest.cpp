// SETUP.EXE runs from folders others can write to. A library of a name it loads, put beside
// it, must never be loaded or used: the program's static imports name only libraries Windows
// always takes from the system folder, and everything else is loaded by full path.
#include "GuiInstallSupport.h"
#include "PeImports.h"

#include "framework/ui/LoadedLibrary.h"
#include "system/RegistryKey.h"
#include "framework/ui/SystemLibrary.h"

#include <algorithm>
#include <cctype>
#include <set>

namespace {

std::string Lower(std::string text) {
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

void CopyFixture(const char* hostPath, const std::string& to) {
    ASSERT_TRUE(CopyFileA(HostPathToWindows(hostPath).c_str(), to.c_str(), FALSE)) << to;
}

// The libraries of the system's known-library list: the loader maps them from the system
// folder whatever lies beside the program.
const std::set<std::string> kAlwaysFromSystem = {
    "kernel32.dll", "user32.dll",   "gdi32.dll",    "advapi32.dll", "shell32.dll",
    "ole32.dll",    "oleaut32.dll", "comdlg32.dll", "msvcrt.dll",   "shlwapi.dll"};

TEST(LibraryPlanting, SetupImportsOnlyLibrariesTakenFromTheSystemFolder) {
    std::vector<std::string> imports = ReadImportedLibraries(SETUP_EXE_HOST_PATH);
    ASSERT_FALSE(imports.empty());
    EXPECT_NE(std::find(imports.begin(), imports.end(), "KERNEL32.dll"), imports.end());
    for (const std::string& name : imports)
        EXPECT_EQ(1u, kAlwaysFromSystem.count(Lower(name))) << name << " is imported";
}

TEST(LibraryPlanting, LoadsProductLibrariesByPathAndSystemOnesOnlyFromTheSystemFolder) {
    HardenLibrarySearch(); // as SETUP.EXE does first
    CScratchFolder scratch;
    const std::string folder = scratch.Folder();
    CopyFixture(FIXTURE_BASE_HOST_PATH, folder + "fixture_base.dll");
    CopyFixture(FIXTURE_DEPENDENT_HOST_PATH, folder + "fixture_dependent.dll");

    // The current folder holds the library: neither the search order nor the system-folder
    // loader may take it from there.
    char previous[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, previous);
    SetCurrentDirectoryA(folder.c_str());
    CLoadedLibrary byName(LoadLibraryA("fixture_base.dll"));
    CLoadedLibrary fromSystem(LoadSystemLibrary("fixture_base.dll"));
    SetCurrentDirectoryA(previous);
    EXPECT_FALSE(byName.IsLoaded());
    EXPECT_FALSE(fromSystem.IsLoaded());

    // A product library finds its companion in its own folder, from anywhere.
    CLoadedLibrary dependent(LoadLibraryFromFolder(folder + "fixture_dependent.dll"));
    ASSERT_TRUE(dependent.IsLoaded());
    using ValueProc = int (*)();
    auto value = dependent.Find<ValueProc>("FixtureDependentValue");
    ASSERT_NE(value, nullptr);
    EXPECT_EQ(43, value());

    CLoadedLibrary version(LoadSystemLibrary("version.dll"));
    EXPECT_TRUE(version.IsLoaded());
    EXPECT_NE(version.Find<FARPROC>("GetFileVersionInfoSizeA"), nullptr);
}

// The common dialogs and COM are loaded when first needed, from the system folder like every
// other library SETUP.EXE loads by itself, and once.
TEST(LibraryPlanting, LibrariesLoadedWhenNeededComeFromTheSystemFolderOnce) {
    HardenLibrarySearch();
    char system[MAX_PATH] = {};
    GetSystemDirectoryA(system, MAX_PATH);
    for (const char* name : {"comdlg32.dll", "ole32.dll"}) {
        HMODULE module = KeptSystemLibrary(name);
        ASSERT_NE(module, nullptr) << name;
        EXPECT_EQ(module, KeptSystemLibrary(name)) << name;
        char path[MAX_PATH] = {};
        GetModuleFileNameA(module, path, MAX_PATH);
        EXPECT_EQ(Lower(path), Lower(std::string(system) + "\\" + name));
    }
    EXPECT_NE(SystemFunction<FARPROC>("comdlg32.dll", "GetOpenFileNameA"), nullptr);
    EXPECT_NE(SystemFunction<FARPROC>("ole32.dll", "CoCreateInstance"), nullptr);
    EXPECT_EQ(SystemFunction<FARPROC>("ole32.dll", "NoSuchFunction"), nullptr);
    EXPECT_EQ(KeptSystemLibrary("fixture_base.dll"), nullptr); // not a system library
}

// Under Wine the system's own libraries are preferred to a copy of the same name unless told
// otherwise; on Windows a copy beside the program would be taken. While this object lives,
// Wine treats version.dll for SETUP.EXE as Windows would. (The variable WINEDLLOVERRIDES
// would not do: Wine hands it to child processes from its own start environment.)
class CWindowsLikeVersionLibrary {
public:
    CWindowsLikeVersionLibrary() {
        if (m_key.Create(HKEY_CURRENT_USER, kKey, nullptr, KEY_SET_VALUE))
            m_key.SetString("version", "native,builtin");
    }
    ~CWindowsLikeVersionLibrary() {
        if (m_key.IsOpen())
            m_key.DeleteValue("version");
    }
    CWindowsLikeVersionLibrary(const CWindowsLikeVersionLibrary&) = delete;
    CWindowsLikeVersionLibrary& operator=(const CWindowsLikeVersionLibrary&) = delete;

private:
    static constexpr char kKey[] = "Software\\Wine\\AppDefaults\\SETUP.EXE\\DllOverrides";
    CRegistryKey m_key;
};

class PlantedBesideSetup : public GuiInstall {
protected:
    void RunUnattended() {
        Start("/B");
        ExpectEndsWithCode(0);
    }
    void ExpectNoMark(const char* library, const char* mark) {
        EXPECT_FALSE(PathExists(Disk(1, std::string(library) + mark))) << library << mark;
    }
    CWindowsLikeVersionLibrary m_override;
};

TEST_F(PlantedBesideSetup, VersionAndStatusLibrariesBesideSetupAreNeverUsed) {
    CopyFixture(PLANTED_LIBRARY_HOST_PATH, Disk(1, "version.dll"));
    CopyFixture(PLANTED_LIBRARY_HOST_PATH, Disk(1, "ismif32.dll"));

    // The second run finds the first run's files and compares their version blocks.
    RunUnattended();
    ExpectInstalled();
    RunUnattended();
    EXPECT_EQ("0|0|0", IniValue(Log(), "Program", "shift.exe"));

    // Under Wine the system's user32 itself imports version.dll and so loads the copy beside
    // the program: only a call of its ANSI functions, which SETUP.EXE alone uses, counts.
    ExpectNoMark("version.dll", ".called");
    ExpectNoMark("ismif32.dll", ".loaded");
    ExpectNoMark("ismif32.dll", ".called");
}

} // namespace
