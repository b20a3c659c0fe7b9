// The sample product installed unattended from its diskette set and removed again, in the
// Windows version of the prefix (the default, win95 and nt351 runs of this program): what a
// user, the shell and the systems-management service find afterwards.
#include "GuiInstallSupport.h"

#include "selfreg.h"

namespace {

bool IsNewShellHere() {
    OSVERSIONINFOA info = {};
    info.dwOSVersionInfoSize = sizeof info;
    GetVersionExA(&info);
    return info.dwMajorVersion > 3;
}

// Where the program items of a group are: shell links in the Start menu, or on the old
// shell Program Manager's groups (which Wine keeps as folders of links too).
bool ProgramItemExists(const std::string& group, const std::string& title) {
    std::string programs = ProgramsFolder();
    std::string fallback = WindowsDirectoryPath() + "Start Menu\\Programs\\";
    return PathExists(programs + group + "\\" + title + ".lnk") ||
           PathExists(fallback + group + "\\" + title + ".lnk");
}

constexpr char kCurrentVersion[] = "Software\\Microsoft\\Windows\\CurrentVersion\\";

TEST_F(GuiInstall, SampleProductRoundTrip) {
    const std::string payload = HostPathToWindows(SHIFTWELL_PAYLOAD_HOST_DIR) + "\\";
    Start("/B");
    ExpectEndsWithCode(0);

    // Files with the times and attributes their archive headers carry.
    // Files with the times and attributes their archive headers carry. Shared files of the
    // system folder are compared where this run put them in place (an earlier run in the
    // same prefix may have left a copy of the same version, which stays).
    struct Installed {
        const char* section;
        const char* name;
        std::string path;
        const char* source = nullptr; // in the payload, when not named as installed
    } files[] = {
        {"Program", "shift.exe", m_install + "shift.exe"},
        {"Program", "REGISTER.INI", m_install + "REGISTER.INI", "register-components.ini"},
        {"Program", "shiftreg.dll", m_install + "shiftreg.dll"},
        {"Program", "shift.dat", m_install + "DATA\\shift.dat"},
        {"Help", "shift.txt", m_install + "shift.txt"},
        {"Shared", "shiftcom.dll", SystemDirectoryPath() + "shiftcom.dll"},
        {"Shared", "_kstinst.exe", SystemDirectoryPath() + "_kstinst.exe"},
    };
    for (const Installed& file : files) {
        std::string source = payload + (file.source ? file.source : file.name);
        ASSERT_TRUE(PathExists(file.path)) << file.path;
        std::string line = IniValue(Log(), file.section, file.name);
        ASSERT_FALSE(line.empty()) << file.name;
        if (line.find("|1|") == std::string::npos)
            continue; // kept: an equal copy was there
        EXPECT_TRUE(ReadFileBytes(source) == ReadFileBytes(file.path)) << file.name;
        WIN32_FILE_ATTRIBUTE_DATA from{}, to{};
        GetFileAttributesExA(source.c_str(), GetFileExInfoStandard, &from);
        GetFileAttributesExA(file.path.c_str(), GetFileExInfoStandard, &to);
        ULARGE_INTEGER a{}, b{};
        a.LowPart = from.ftLastWriteTime.dwLowDateTime;
        a.HighPart = from.ftLastWriteTime.dwHighDateTime;
        b.LowPart = to.ftLastWriteTime.dwLowDateTime;
        b.HighPart = to.ftLastWriteTime.dwHighDateTime;
        EXPECT_EQ(a.QuadPart / 10000000, b.QuadPart / 10000000) << file.name; // whole seconds
        EXPECT_EQ(from.dwFileAttributes & 0x27, to.dwFileAttributes & 0x27) << file.name;
    }
    EXPECT_FALSE(PathExists(m_install + "DATA\\SAMPLE.SHP"));

    // The install log: one line per file, then the model.
    EXPECT_EQ("0|1|0", IniValue(Log(), "Program", "shift.exe"));
    EXPECT_EQ("1|1|0", IniValue(Log(), "Program", "shift.dat"));
    EXPECT_EQ("0|1|0", IniValue(Log(), "Help", "shift.txt"));
    EXPECT_EQ("-3", IniValue(Log(), "Shared", "shiftcom.dll").substr(0, 2));
    EXPECT_EQ(m_strName + "|-1|" + m_install, IniValue(Log(), "destinations", "0"));
    EXPECT_EQ("DATA|0|" + m_install + "DATA\\", IniValue(Log(), "destinations", "1"));
    EXPECT_EQ("Help|The help text|0|1|1", IniValue(Log(), "groups", "Help"));
    EXPECT_EQ("0|0|0|Corvatek Shiftwell|||" + m_install + "shift.exe",
              IniValue(Log(), "targets", "shift.exe"));
    EXPECT_EQ("Corvatek Shiftwell", IniValue(m_install + "SETUP.INI", "GroupCreated", "Data0"));
    EXPECT_GE(RegistryNumber(HKEY_LOCAL_MACHINE, std::string(kCurrentVersion) + "SharedDLLs",
                             SystemDirectoryPath() + "shiftcom.dll"),
              1u);

    // Registry entries, program items, start-up entry, the component's own registration.
    EXPECT_EQ(m_install + "shift.exe",
              RegistryText(HKEY_LOCAL_MACHINE,
                           std::string(kCurrentVersion) + "App Paths\\shift.exe", ""));
    EXPECT_EQ("Corvatek Shiftwell",
              RegistryText(HKEY_LOCAL_MACHINE,
                           std::string(kCurrentVersion) + "Uninstall\\Corvatek Shiftwell",
                           "DisplayName"));
    EXPECT_EQ(m_install + "shift.exe",
              RegistryText(HKEY_LOCAL_MACHINE, std::string(kCurrentVersion) + "Run",
                           "Corvatek Shiftwell"));
    EXPECT_TRUE(RegistryKeyExists(HKEY_CLASSES_ROOT, SHIFTREG_CLSID_KEY));
    EXPECT_TRUE(ProgramItemExists("Corvatek Shiftwell", "Corvatek Shiftwell"))
        << (IsNewShellHere() ? "new shell" : "Program Manager");
    // The extra item of REGISTER.INI carries arguments; Wine's Program Manager stand-in does
    // not make an item of such a command, so it is looked for on the new shell only.
    if (IsNewShellHere()) {
        EXPECT_TRUE(ProgramItemExists("Corvatek Shiftwell", "Corvatek Shiftwell (Safe Mode)"));
    }
    EXPECT_EQ("1", IniValue(WindowsDirectoryPath() + "shift.mif", "Status", "Success"));
    EXPECT_EQ("Successful installation.",
              IniValue(WindowsDirectoryPath() + "shift.mif", "Status", "Description"));

    // Removal: what the installation put in place goes again; shared files stay.
    CProcess uninstall;
    ASSERT_TRUE(uninstall.Launch(Disk(1, "SETUP.EXE"), "/U /B", m_set + "DISK01"));
    DWORD code = 12345;
    ASSERT_TRUE(uninstall.Wait(kEndTimeoutMs, &code));
    EXPECT_EQ(0u, code);
    EXPECT_FALSE(PathExists(m_install + "shift.exe"));
    EXPECT_FALSE(PathExists(m_install + "DATA\\shift.dat"));
    EXPECT_TRUE(PathExists(SystemDirectoryPath() + "shiftcom.dll"));
    EXPECT_FALSE(RegistryKeyExists(HKEY_LOCAL_MACHINE,
                                   std::string(kCurrentVersion) + "App Paths\\shift.exe"));
    EXPECT_TRUE(RegistryKeyExists(HKEY_LOCAL_MACHINE, std::string(kCurrentVersion) + "Run"));
    EXPECT_FALSE(RegistryValueExists(HKEY_LOCAL_MACHINE, std::string(kCurrentVersion) + "Run",
                                     "Corvatek Shiftwell"));
    EXPECT_FALSE(RegistryKeyExists(HKEY_CLASSES_ROOT, SHIFTREG_CLSID_KEY));
    EXPECT_FALSE(ProgramItemExists("Corvatek Shiftwell", "Corvatek Shiftwell"));
}

} // namespace
