// SETUP.EXE installing from a diskette drive as a person does it: A: is a drive of the
// removable type (tests/e2e/map-floppy-drive) holding the files of diskette 1, taken from the
// image mkdisks wrote (read out with mtools, not copied from the set's folder); setup is
// started as A:\SETUP.EXE and operated page by page; at each Insert Diskette prompt the next
// diskette goes into the drive and OK is pressed. Each diskette must be asked for once, in
// order: the prompts are counted. Screenshots are kept in tests/e2e/artifacts of the build folder.
#include "GuiInstallSupport.h"

#include "framework/ui/Handle.h"

#include <map>

namespace {

const std::string kDriveHost = FLOPPY_HOST_DIR "/drive";

// Runs a shell script on the host and returns its exit status (-1: it did not end). Wine
// starts a host program itself but gives no handle to wait on, so the script leaves its
// status in a file.
int RunOnHost(const std::string& script) {
    static int count = 0;
    const std::string base = std::string(FLOPPY_HOST_DIR) + "/host-" +
                             std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++count);
    const std::string text = "export PATH=/usr/bin:/bin\n{\n" + script + "\n} >'" + base +
                             ".log' 2>&1\necho $? >'" + base + ".tmp'\nmv '" + base + ".tmp' '" +
                             base + ".rc'\n";
    WriteFileBytes(HostPathToWindows(base + ".sh"), text);
    // Process ids come again in later runs: no status of an earlier script may count.
    const std::string status = HostPathToWindows(base + ".rc");
    DeleteFileA(status.c_str());
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    std::string command = "/bin/sh " + base + ".sh";
    if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &info))
        return -1;
    CHandle process(info.hProcess), thread(info.hThread);
    if (!WaitUntil([&] { return FileExists(status); }, 60000))
        return -1;
    const int code = std::atoi(ReadFileBytes(status).c_str());
    if (code == 0) {
        for (const char* suffix : {".sh", ".log", ".rc"})
            DeleteFileA(HostPathToWindows(base + suffix).c_str());
    }
    return code;
}

class FloppyInstall : public GuiInstall {
protected:
    void SetUp() override {
        // What setup itself sees of the drive.
        ASSERT_EQ(static_cast<UINT>(DRIVE_REMOVABLE), GetDriveTypeA("A:\\"));
        static int counter = 0;
        do {
            m_strName = "FD" + std::to_string(GetCurrentProcessId() % 10000) + "_" +
                        std::to_string(++counter);
        } while (PathExists("C:\\" + m_strName));
        m_install = "C:\\" + m_strName + "\\";
        m_setHost = std::string(FLOPPY_HOST_DIR) + "/sets/" + m_strName;
        m_set = HostPathToWindows(m_setHost) + "\\";
    }

    // The set with its images, from a description installing into C:\<name>\; its files
    // are looked for in input. Returns the number of diskettes.
    int MakeSet(std::string description, const std::string& input) {
        const std::string from = "\n0=SHIFT\n";
        size_t at = description.find(from);
        EXPECT_NE(std::string::npos, at) << "the description has no destination 0=SHIFT";
        if (at != std::string::npos)
            description.replace(at, from.size(), "\n0=" + m_strName + "\n");
        CreateDirectoryA(HostPathToWindows(std::string(FLOPPY_HOST_DIR) + "/sets").c_str(),
                         nullptr);
        CreateDirectoryA(m_set.c_str(), nullptr);
        WriteFileBytes(m_set + "product.desc", description);
        std::ostringstream out, err;
        EXPECT_EQ(0, RunMkdisks({"--images", "-i", input, m_set + "product.desc", m_set}, out, err))
            << err.str();
        int disks = 0;
        while (FileExists(ImagePath(disks + 1)))
            ++disks;
        return disks;
    }

    std::string ImagePath(int n) const {
        char image[16];
        std::snprintf(image, sizeof image, "DISK%02d.IMG", n);
        return m_set + image;
    }

    // Takes the diskette in the drive out and puts diskette n in: A: shows the files of
    // DISKnn.IMG.
    void InsertDiskette(int n) {
        const std::string image = ImagePath(n).substr(m_set.size());
        ASSERT_EQ(0, RunOnHost("rm -rf '" + kDriveHost + "'/* && mcopy -n -m -i '" + m_setHost +
                               "/" + image + "' '::*' '" + kDriveHost + "/'"))
            << "diskette " << n;
    }

    void StartFromDrive() { ASSERT_TRUE(m_setup.Launch("A:\\SETUP.EXE", "", "A:\\")); }

    // From the start to the end of copying: answers each Insert Diskette prompt with the
    // diskette it asks for, as a person would, and returns the diskettes asked for in order.
    std::vector<int> InstallAnsweringPrompts(const std::string& label, int disks) {
        std::vector<int> asked;
        StartFromDrive();
        HWND group = WalkToGroupPage();
        if (!group)
            return asked;
        Click(group, kNextId);
        // A set laid out badly asks for diskettes again; never more than this many times.
        while (asked.size() < static_cast<size_t>(3 * disks)) {
            HWND prompt = nullptr;
            HWND complete = nullptr;
            bool seen = WaitUntil(
                [&] {
                    prompt = FindTopWindow(Query("Insert Diskette", {1001, 1026, IDOK}));
                    complete = FindTopWindow(Query(kTitle, {IDOK}));
                    if (complete && GetControlText(complete, IDOK) != "Finished")
                        complete = nullptr;
                    return prompt != nullptr || complete != nullptr;
                },
                kEndTimeoutMs);
            EXPECT_TRUE(seen) << "neither a prompt nor the last page after " << asked.size();
            if (!seen || complete)
                break;
            const std::string request = GetControlText(prompt, 1026);
            const std::string start = "Please insert the diskette labelled '" + label;
            const std::string end = "' in drive A:";
            const bool named = request.find(start) == 0 && request.size() > end.size() &&
                               request.rfind(end) == request.size() - end.size();
            EXPECT_TRUE(named) << request;
            const int disk = std::atoi(request.c_str() + start.size());
            asked.push_back(disk);
            if (!named || disk < 1 || disk > disks)
                break;
            InsertDiskette(disk);
            Click(prompt, IDOK);
            EXPECT_TRUE(WaitForWindowGone(prompt));
        }
        std::string text;
        for (int disk : asked)
            text += " " + std::to_string(disk);
        std::printf("%d diskettes, asked for:%s\n", disks, text.c_str());
        HWND complete = WaitCompletePage();
        EXPECT_NE(complete, nullptr);
        if (complete)
            Click(complete, IDOK);
        return asked;
    }

    // 2, 3, ... disks: each diskette after the first once, in order.
    static std::vector<int> EachOnce(int disks) {
        std::vector<int> order;
        for (int n = 2; n <= disks; ++n)
            order.push_back(n);
        return order;
    }

    // Each installed file is its source byte for byte; then /U removes them all.
    void ExpectInstalledThenRemoved(const std::map<std::string, std::string>& sources) {
        for (const auto& [installed, source] : sources)
            EXPECT_TRUE(ReadFileBytes(m_install + installed) == ReadFileBytes(source)) << installed;
        CProcess uninstall;
        ASSERT_TRUE(uninstall.Launch(m_install + "SETUP.EXE", "/U /B", m_install));
        DWORD code = 12345;
        ASSERT_TRUE(uninstall.Wait(kEndTimeoutMs, &code));
        EXPECT_EQ(0u, code);
        // The running SETUP.EXE stays for the removal helper.
        for (const auto& entry : sources) {
            if (entry.first != "SETUP.EXE")
                EXPECT_FALSE(PathExists(m_install + entry.first)) << entry.first;
        }
    }

    std::string m_setHost;
};

TEST_F(FloppyInstall, SampleProductAsksForEachDisketteOnce) {
    const std::string payload = HostPathToWindows(SHIFTWELL_PAYLOAD_HOST_DIR) + "\\";
    const int disks = MakeSet(ReadFileBytes(payload + "shiftwell.desc"), payload);
    ASSERT_GE(disks, 2);
    InsertDiskette(1);
    EXPECT_EQ(EachOnce(disks), InstallAnsweringPrompts("Corvatek Shiftwell Disk ", disks));
    ExpectEndsWithCode(0);
    ExpectInstalledThenRemoved({{"SETUP.EXE", payload + "SETUP.EXE"},
                                {"shift.exe", payload + "shift.exe"},
                                {"REGISTER.INI", payload + "register-components.ini"},
                                {"DATA\\shift.dat", payload + "shift.dat"},
                                {"shift.txt", payload + "shift.txt"}});
}

// Three archives of several volumes and plain files between them; the group keys sort
// otherwise than the set is laid out.
TEST_F(FloppyInstall, LargerProductAsksForEachDisketteOnce) {
    const std::string input = m_set + "input\\";
    CreateDirectoryA(m_set.c_str(), nullptr);
    CreateDirectoryA(input.c_str(), nullptr);
    const std::string payload = HostPathToWindows(SHIFTWELL_PAYLOAD_HOST_DIR) + "\\";
    CopyFileA((payload + "SETUP.EXE").c_str(), (input + "SETUP.EXE").c_str(), FALSE);
    const std::pair<const char*, size_t> files[] = {
        {"z1.bin", 900000}, {"z2.bin", 800000}, {"m1.bin", 300000},  {"a1.bin", 1200000},
        {"a2.bin", 700000}, {"k1.bin", 500000}, {"b1.bin", 1000000}, {"b2.txt", 10000}};
    std::map<std::string, std::string> sources = {{"SETUP.EXE", input + "SETUP.EXE"}};
    unsigned seed = 7;
    for (const auto& [name, size] : files) {
        WriteFileBytes(input + name, RandomBytes(size, seed++));
        sources[name] = input + name;
    }
    const std::string description =
        "[Disks]\nSetupProgram=SETUP.EXE\nLabel=Larger Disk %d\n[destinations]\n0=SHIFT\n"
        "[groups]\nZulu=Z|Z|1|1|1\nMike=M|M|1|1|1\nAlpha=A|A|1|1|1\nKilo=K|K|1|1|1\n"
        "Bravo=B|B|1|1|1\nInstaller=I|I|1|1|1\n"
        "[Files:Zulu]\nArchive=ZULU.1\nMember1=z1.bin|0|stored\nMember2=z2.bin|0|stored\n"
        "[Files:Mike]\nPlain1=m1.bin|0\n"
        "[Files:Alpha]\nArchive=ALPHA.1\nMember1=a1.bin|0|stored\nMember2=a2.bin|0|stored\n"
        "[Files:Kilo]\nPlain1=k1.bin|0\n"
        "[Files:Bravo]\nArchive=BRAVO.1\nMember1=b1.bin|0|stored\nMember2=b2.txt|0\n"
        "[Files:Installer]\nPlain1=SETUP.EXE|0\n";
    const int disks = MakeSet(description, input);
    ASSERT_GE(disks, 4);
    InsertDiskette(1);
    EXPECT_EQ(EachOnce(disks), InstallAnsweringPrompts("Larger Disk ", disks));
    ExpectEndsWithCode(0);
    ExpectInstalledThenRemoved(sources);
}

TEST_F(FloppyInstall, WrongDisketteKeepsThePromptAndCancelEndsCleanly) {
    const std::string payload = HostPathToWindows(SHIFTWELL_PAYLOAD_HOST_DIR) + "\\";
    ASSERT_GE(MakeSet(ReadFileBytes(payload + "shiftwell.desc"), payload), 2);
    InsertDiskette(1);
    StartFromDrive();
    HWND group = WalkToGroupPage();
    ASSERT_NE(group, nullptr);
    Click(group, kNextId);
    HWND prompt = WaitPage("Insert Diskette", {1001, 1026, IDOK});
    ASSERT_NE(prompt, nullptr);
    EXPECT_EQ("A:\\", GetControlText(prompt, 1001));
    Shot("insert-diskette-a");
    // Diskette 1 is still in the drive.
    Click(prompt, IDOK);
    Sleep(1000);
    EXPECT_TRUE(IsWindow(prompt) && IsWindowVisible(prompt));
    Click(prompt, IDCANCEL);
    HWND failed = WaitFailedPage();
    ASSERT_NE(failed, nullptr);
    Click(failed, IDOK);
    ExpectEndsWithCode(kCancelledCode);
    // What was installed before the prompt is whole; the member that ran on is not there.
    const std::map<std::string, std::string> whole = {
        {"SETUP.EXE", payload + "SETUP.EXE"},
        {"shift.exe", payload + "shift.exe"},
        {"REGISTER.INI", payload + "register-components.ini"},
        {"shiftreg.dll", payload + "shiftreg.dll"}};
    for (const std::string& file : ListFilesBelow(m_install)) {
        auto source = whole.find(file);
        ASSERT_NE(source, whole.end()) << file << " was left in the install folder";
        EXPECT_TRUE(ReadFileBytes(m_install + file) == ReadFileBytes(source->second)) << file;
    }
}

} // namespace
