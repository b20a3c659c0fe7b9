// mkdisks: the diskette set a description gives, read back as setup would read it, and the
// descriptions it refuses.
#include "TestFiles.h"

#include "archive/MultiFile.h"
#include "profile/ProfileDocument.h"
#include "tools/mkdisks/MkdisksTool.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <sstream>

namespace fs = std::filesystem;

namespace {

// The shared file helpers, for the paths this test builds.
std::string ReadAll(const fs::path& path) {
    return ReadFileBytes(path.string());
}

void WriteAll(const fs::path& path, const std::string& bytes) {
    WriteFileBytes(path.string(), bytes);
}

// Follows an archive's volumes from DISKnn to DISKnn+1, as setup does with numbered folders.
class CDiskFolderMultiFile : public CMultiFile {
public:
    bool OnVolumeEnd() override {
        fs::path current(GetPathText());
        std::string next;
        if (!CMultiFile::NextVolumePath(current.filename().string(), next))
            return true;
        std::string folder = current.parent_path().filename().string();
        int disk = std::stoi(folder.substr(4)) + 1;
        char name[16];
        std::snprintf(name, sizeof name, "DISK%02d", disk);
        ++m_nContinued;
        CloseQuietly();
        if (!CurrentEntryRunsOn())
            return true;
        ReopenContinuing((current.parent_path().parent_path() / name / next).string());
        ReadArchiveHeader();
        return false;
    }
    int m_nContinued = 0;
};

class MkdisksTest : public ::testing::Test {
protected:
    void SetUp() override {
        fs::create_directories(m_root / "in");
        WriteAll(m_root / "in" / "SETUP.EXE", RandomBytes(20000, 1));
        WriteAll(m_root / "in" / "Register.ini", "[DataFiles]\r\nFile1=*.tmp\r\n");
        WriteAll(m_root / "in" / "prog.exe", RandomBytes(30000, 2));
        WriteAll(m_root / "in" / "big.dat", RandomBytes(90000, 3));
        WriteAll(m_root / "in" / "notes.txt", std::string(5000, 'n'));
        WriteAll(m_root / "in" / "shared.dll", RandomBytes(7000, 4));
        WriteAll(m_root / "in" / "readme.txt", std::string(40000, 'r'));
    }

    std::string Description(const std::string& filesOfMain) const {
        return "[Disks]\nSize=65536\nCluster=512\nSetupProgram=SETUP.EXE\n"
               "Label=Test Disk %d\nExtra1=Register.ini\nExtra2=absent.dll|optional\n"
               "[destinations]\n0=TEST\n1=DATA|0|\n"
               "[groups]\nMain=Main files|The program|1|1|1\nDocs=Docs|Text|0|1|1\n"
               "[targets]\nprog.exe=0|0|0|Test Program|||\n"
               "[Files:Main]\n" +
               filesOfMain + "[Files:Docs]\nText=Documentation\nPlain1=readme.txt|0\n";
    }
    std::string StandardFiles() const {
        return "Archive=MAIN.1\nText=Program files\nMember1=prog.exe|0\n"
               "Member2=big.dat|1|stored\nMember3=notes.txt|1|deflate||the notes\n"
               "Member4=shared.dll|-3\nMember5=gone.exe|0|deflate|optional\n";
    }

    int Run(const std::string& description, std::string* errors = nullptr,
            std::vector<std::string> args = {}) {
        WriteAll(m_root / "in" / "test.desc", description);
        std::ostringstream out, err;
        args.push_back((m_root / "in" / "test.desc").string());
        args.push_back((m_root / "out").string());
        int status = RunMkdisks(args, out, err);
        if (errors)
            *errors = err.str();
        return status;
    }
    fs::path Disk(int n) const {
        char name[16];
        std::snprintf(name, sizeof name, "DISK%02d", n);
        return m_root / "out" / name;
    }
    CProfileDocument Profile() const {
        CProfileDocument profile;
        profile.Parse(ReadAll(Disk(1) / "SETUP.ini"));
        return profile;
    }

    CScratchFolder m_scratch;
    fs::path m_root{m_scratch.Folder()};
};

TEST_F(MkdisksTest, WritesTheSetWithProfileRecordsThatMatchTheFiles) {
    std::string errors;
    ASSERT_EQ(0, Run(Description(StandardFiles()), &errors)) << errors;
    EXPECT_EQ(ReadAll(m_root / "in" / "SETUP.EXE"), ReadAll(Disk(1) / "SETUP.EXE"));
    EXPECT_TRUE(fs::exists(Disk(1) / "Register.ini"));
    EXPECT_FALSE(fs::exists(Disk(1) / "absent.dll"));
    ASSERT_TRUE(fs::exists(Disk(2)));

    CProfileDocument profile = Profile();
    ASSERT_NE(nullptr, profile.Find("destinations"));
    EXPECT_EQ("DATA|0|", profile.Find("destinations")->Get("1"));
    EXPECT_EQ("Main files|The program|1|1|1", profile.Find("groups")->Get("Main"));
    EXPECT_EQ("0|0|0|Test Program|||", profile.Find("targets")->Get("prog.exe"));
    EXPECT_EQ("Test Disk 2|DISK02", profile.Find("diskettes")->Get("2"));

    // The archive's record: expanded bytes of all members, kind 1, member count, first disk
    // (negated: it runs on into diskette 2, so it is copied after diskette 1's other records).
    ASSERT_NE(nullptr, profile.Find("Main"));
    EXPECT_EQ("132000|1|4|-1|0|Program files", profile.Find("Main")->Get("MAIN.1"));
    ASSERT_NE(nullptr, profile.Find("Docs"));
    std::string readme = profile.Find("Docs")->Get("readme.txt");
    EXPECT_EQ(0u, readme.find("40000|0|1|"));
    int readmeDisk = std::stoi(readme.substr(readme.find("|1|") + 3));
    EXPECT_TRUE(fs::exists(Disk(readmeDisk) / "readme.txt"));

    // Every diskette holds at most its size, files counted in whole clusters.
    for (int n = 1; fs::exists(Disk(n)); ++n) {
        uintmax_t used = 0;
        for (const auto& file : fs::directory_iterator(Disk(n)))
            used += (file.file_size() + 511) / 512 * 512;
        EXPECT_LE(used, 65536u) << "DISK" << n;
    }
}

TEST_F(MkdisksTest, ArchiveReadsBackAcrossDisketteFolders) {
    ASSERT_EQ(0, Run(Description(StandardFiles())));
    CDiskFolderMultiFile archive;
    archive.OpenArchive((Disk(1) / "MAIN.1").string());
    auto entry = archive.CreateEntry();
    std::map<std::string, int16_t> destinations;
    while (archive.ReadEntryHeader(*entry)) {
        fs::path out = m_root / ("x-" + entry->GetName());
        entry->SetOutputPath(out.string());
        archive.Extract(*entry);
        EXPECT_EQ(ReadAll(m_root / "in" / entry->GetName()), ReadAll(out)) << entry->GetName();
        destinations[entry->GetName()] = entry->Header().GetDestination();
        if (entry->GetName() == "big.dat") {
            EXPECT_EQ(kMethodStored, entry->Header().GetMethod());
        }
        if (entry->GetName() == "notes.txt") {
            EXPECT_EQ("the notes", entry->GetDescription());
        }
    }
    EXPECT_EQ(4u, destinations.size());
    EXPECT_EQ(1, destinations["big.dat"]);
    EXPECT_EQ(-3, destinations["shared.dll"]);
    EXPECT_GE(archive.m_nContinued, 1); // 132 KB of members cannot fit one 64 KB diskette
}

TEST_F(MkdisksTest, PlainFilesNamedLikeDiskOneFilesAreInstalledFromThem) {
    // The setup program and Register.ini go into the install folder for uninstalling.
    std::string description =
        Description(StandardFiles()) +
        "[Files:Setup]\nText=Setup\nPlain1=SETUP.EXE|0\nPlain2=Register.ini|0\n";
    description.replace(description.find("Docs=Docs"), 0, "Setup=Setup|Uninstall|1|1|1\n");
    std::string errors;
    ASSERT_EQ(0, Run(description, &errors)) << errors;
    CProfileDocument profile = Profile();
    ASSERT_NE(nullptr, profile.Find("Setup"));
    const std::string setupSize = std::to_string(fs::file_size(m_root / "in" / "SETUP.EXE"));
    EXPECT_EQ(setupSize + "|0|1|1|0|Setup", profile.Find("Setup")->Get("SETUP.EXE"));
    const std::string registerSize = std::to_string(fs::file_size(m_root / "in" / "Register.ini"));
    EXPECT_EQ(registerSize + "|0|1|1|0|Setup", profile.Find("Setup")->Get("Register.ini"));
    // One copy of each in the whole set.
    for (int n = 2; fs::exists(Disk(n)); ++n) {
        EXPECT_FALSE(fs::exists(Disk(n) / "SETUP.EXE"));
        EXPECT_FALSE(fs::exists(Disk(n) / "Register.ini"));
    }
}

TEST_F(MkdisksTest, RunsAgainOverAnEarlierSet) {
    ASSERT_EQ(0, Run(Description(StandardFiles())));
    fs::create_directories(Disk(9));
    WriteAll(Disk(9) / "stale.txt", "old");
    WriteAll(Disk(1) / "stale.txt", "old");
    ASSERT_EQ(0, Run(Description(StandardFiles())));
    EXPECT_FALSE(fs::exists(Disk(9)));
    EXPECT_FALSE(fs::exists(Disk(1) / "stale.txt"));
    EXPECT_TRUE(fs::exists(Disk(1) / "MAIN.1"));
    EXPECT_FALSE(fs::exists(m_root / "out" / "mkdisks.work"));
}

TEST_F(MkdisksTest, KeepsFileTimesOfPlainFiles) {
    auto stamp = fs::last_write_time(m_root / "in" / "readme.txt") - std::chrono::hours(48);
    fs::last_write_time(m_root / "in" / "readme.txt", stamp);
    ASSERT_EQ(0, Run(Description(StandardFiles())));
    for (int n = 1; fs::exists(Disk(n)); ++n) {
        if (fs::exists(Disk(n) / "readme.txt")) {
            EXPECT_EQ(stamp, fs::last_write_time(Disk(n) / "readme.txt"));
        }
    }
}

TEST_F(MkdisksTest, RefusesWhatCannotBeMadeIntoASet) {
    struct Case {
        std::string files;
        std::string expected;
    } cases[] = {
        {"Archive=MAIN.1\nMember1=prog.exe|7\n", "unknown destination 7"},
        {"Archive=MAIN.1\nMember1=missing.exe|0\n", "missing file"},
        {"Archive=MAIN.1\nMember1=" + std::string(260, 'n') + ".exe|0\n",
         "longer than an archive entry allows"},
        {"Member1=prog.exe|0\n", "no Archive name"},
        {"Archive=MAIN.1\nMember1=prog.exe|0|zip\n", "unknown method"},
        {"Archive=readme.txt\nMember1=prog.exe|0\n", "two files of the set"},
    };
    for (const Case& c : cases) {
        std::string errors;
        EXPECT_EQ(1, Run(Description(c.files), &errors)) << c.files;
        EXPECT_NE(std::string::npos, errors.find(c.expected)) << errors;
    }
    std::string errors;
    EXPECT_EQ(1,
              Run(Description(StandardFiles()) + "[Files:Nobody]\nPlain1=prog.exe|0\n", &errors));
    EXPECT_NE(std::string::npos, errors.find("no group 'Nobody'")) << errors;
}

TEST_F(MkdisksTest, RefusesAPlainFileLargerThanADiskette) {
    WriteAll(m_root / "in" / "huge.bin", RandomBytes(70000, 5));
    std::string errors;
    EXPECT_EQ(1, Run(Description("Plain1=huge.bin|0\n"), &errors));
    EXPECT_NE(std::string::npos, errors.find("larger than a diskette")) << errors;
}

TEST_F(MkdisksTest, RefusesWhatNoDisketteCanHold) {
    std::string errors;
    EXPECT_EQ(1, Run(Description(StandardFiles()), &errors, {"--images"}));
    EXPECT_NE(std::string::npos, errors.find("Size=65536 with Cluster=512 is no standard diskette"))
        << errors;
    EXPECT_EQ(1, Run(Description("Archive=AUX.1\nMember1=prog.exe|0\n"), &errors));
    EXPECT_NE(std::string::npos,
              errors.find("diskette 1: 'AUX.1' cannot be a file on a diskette: the name is that "
                          "of a device (AUX)"))
        << errors;
    // Diskette 1 holds the setup program, its profile (SETUP.ini: a long-name entry too) and
    // the extra files: 223 root entries beside the label.
    std::string description = "[Disks]\nSetupProgram=SETUP.EXE\n";
    for (int n = 0; n < 221; ++n) {
        WriteAll(m_root / "in" / ("X" + std::to_string(n)), "x");
        description += "Extra" + std::to_string(n) + "=X" + std::to_string(n) + "\n";
    }
    EXPECT_EQ(1, Run(description + "[destinations]\n0=TEST\n", &errors));
    EXPECT_NE(std::string::npos, errors.find("diskette 1: the setup program, its profile and the "
                                             "extra files need 224 root directory entries"))
        << errors;
}

TEST_F(MkdisksTest, WrongUsageIsStatusTwo) {
    std::ostringstream out, err;
    EXPECT_EQ(2, RunMkdisks({"only-one"}, out, err));
    EXPECT_EQ(2, RunMkdisks({"-x", "a", "b"}, out, err));
}

} // namespace
