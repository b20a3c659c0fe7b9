// The diskette images mkdisks writes, read by tools that know nothing of ours (mtools and
// dosfstools): for every image fsck.fat finds nothing to mend, mdir lists exactly the files
// of its folder and each file copied out with mcopy is the folder's byte for byte. The
// sample product's set, and a set that presses on a diskette's limits. Native (the tools
// run on the build machine).
#include "TestFiles.h"

#include "tools/mkdisks/MkdisksTool.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <map>
#include <sstream>

namespace fs = std::filesystem;

namespace {

// Runs a shell command; its standard output and error, and its exit status.
int Shell(const std::string& command, std::string& output) {
    output.clear();
    FILE* pipe = popen((command + " 2>&1").c_str(), "r");
    if (!pipe)
        return -1;
    char buffer[4096];
    size_t got = 0;
    while ((got = fread(buffer, 1, sizeof buffer, pipe)) > 0)
        output.append(buffer, got);
    int status = pclose(pipe);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string Quoted(const fs::path& path) {
    return "'" + path.string() + "'";
}

class DisketteImageTest : public ::testing::Test {
protected:
    // Makes the set with images from description, its files in input.
    void MakeSet(const fs::path& description, const fs::path& input) {
        std::ostringstream out, err;
        ASSERT_EQ(
            0, RunMkdisks({"--images", "-i", input.string(), description.string(), m_set.string()},
                          out, err))
            << err.str();
    }

    // Checks every DISKnn.IMG of the set against its folder with the independent tools.
    void CheckImages() {
        int disk = 1;
        for (;; ++disk) {
            char name[16];
            std::snprintf(name, sizeof name, "DISK%02d", disk);
            const fs::path folder = m_set / name;
            const fs::path image = m_set / (std::string(name) + ".IMG");
            if (!fs::exists(folder))
                break;
            ASSERT_TRUE(fs::exists(image)) << image;
            EXPECT_EQ(1474560u, fs::file_size(image));
            std::string output;
            // fsck.fat lives in /usr/sbin, which a user's path may lack.
            EXPECT_EQ(0,
                      Shell("PATH=\"$PATH:/usr/sbin:/sbin\" fsck.fat -n " + Quoted(image), output))
                << output;
            // The version line and the summary, nothing else.
            EXPECT_EQ(2, std::count(output.begin(), output.end(), '\n')) << output;

            std::map<std::string, std::string> expected;
            for (const auto& file : fs::directory_iterator(folder))
                expected[file.path().filename().string()] = ReadFileBytes(file.path().string());
            ASSERT_EQ(0, Shell("mdir -b -i " + Quoted(image) + " ::", output)) << output;
            std::map<std::string, std::string> listed;
            std::istringstream lines(output);
            for (std::string line; std::getline(lines, line);) {
                ASSERT_EQ(0u, line.find("::/")) << line;
                listed[line.substr(3)];
            }
            const fs::path back = m_scratch.Path("back-" + std::string(name));
            fs::create_directories(back);
            ASSERT_EQ(0, Shell("mcopy -n -m -i " + Quoted(image) + " '::*' " + Quoted(back) + "/",
                               output))
                << output;
            for (auto& [file, bytes] : listed)
                bytes = ReadFileBytes((back / file).string());
            EXPECT_EQ(expected.size(), listed.size()) << name;
            for (const auto& [file, bytes] : expected) {
                auto copy = listed.find(file);
                ASSERT_NE(copy, listed.end()) << file << " is not on " << image;
                EXPECT_TRUE(copy->second == bytes) << file << " differs on " << image;
                ++m_nFiles;
                m_nBytes += bytes.size();
            }
            ++m_nImages;
        }
        EXPECT_GT(disk, 1) << "no diskette in " << m_set;
        std::printf("compared %d images, %d files, %llu bytes\n", m_nImages, m_nFiles,
                    static_cast<unsigned long long>(m_nBytes));
    }

    CScratchFolder m_scratch;
    fs::path m_set{m_scratch.Path("set")};
    int m_nImages = 0;
    int m_nFiles = 0;
    uint64_t m_nBytes = 0;
};

TEST_F(DisketteImageTest, SampleProductImagesHoldTheirFoldersFiles) {
    // The sample's payload; where this build has no Windows programs, stand-ins of their
    // sizes in the product.
    const fs::path input = m_scratch.Path("payload");
    fs::copy(SHIFTWELL_PAYLOAD_HOST_DIR, input);
    const std::pair<const char*, size_t> programs[] = {
        {"SETUP.EXE", 420000}, {"shift.exe", 60000}, {"shiftcom.dll", 30000}};
    unsigned seed = 1;
    for (const auto& [name, size] : programs) {
        if (!fs::exists(input / name))
            WriteFileBytes((input / name).string(), RandomBytes(size, seed++));
    }
    MakeSet(input / "shiftwell.desc", input);
    CheckImages();
    // register-removal.ini goes on diskette 1 under the name the description gives it.
    EXPECT_EQ(ReadFileBytes((input / "register-removal.ini").string()),
              ReadFileBytes((m_set / "DISK01" / "Register.ini").string()));
    // The volume label keeps the diskette number.
    std::string output;
    Shell("mdir -i " + Quoted(m_set / "DISK02.IMG") + " ::", output);
    EXPECT_NE(std::string::npos, output.find("Volume in drive : is CORVATEK 2")) << output;
}

TEST_F(DisketteImageTest, ADisketteLimitsAreKept) {
    // 300 small files, more than a root directory holds; a file that fills a diskette to its
    // last cluster; a long name, which takes long-name entries.
    const fs::path input = m_scratch.Path("in");
    fs::create_directories(input);
    WriteFileBytes((input / "SETUP.EXE").string(), RandomBytes(100000, 1));
    WriteFileBytes((input / "full.bin").string(), RandomBytes(2847 * 512, 2));
    WriteFileBytes((input / "Shiftwell release notes.txt").string(), "notes\r\n");
    std::string files = "[Files:Main]\nPlain1=full.bin|0\nPlain2=Shiftwell release notes.txt|0\n";
    for (int n = 0; n < 300; ++n) {
        std::string name = "F" + std::to_string(n) + ".TXT";
        WriteFileBytes((input / name).string(), std::string(100 + n, 'a' + n % 26));
        files += "Plain" + std::to_string(n + 3) + "=" + name + "|0\n";
    }
    WriteFileBytes((input / "limits.desc").string(),
                   "[Disks]\nSetupProgram=SETUP.EXE\nLabel=Limits %d\n[destinations]\n0=LIM\n"
                   "[groups]\nMain=Main|All|1|1|1\n" +
                       files);
    MakeSet(input / "limits.desc", input);
    CheckImages();
    EXPECT_EQ(2 + 2 + 300, m_nFiles); // the setup program and its profile besides
    for (int n = 1; n <= m_nImages; ++n) {
        char name[16];
        std::snprintf(name, sizeof name, "DISK%02d", n);
        std::string output;
        auto count = std::distance(fs::directory_iterator(m_set / name), fs::directory_iterator());
        EXPECT_LE(count, 223) << name; // 224 entries, one of them the label
        if (fs::exists(m_set / name / "full.bin")) {
            EXPECT_EQ(1, count);
            Shell("mdir -i " + Quoted(m_set / (std::string(name) + ".IMG")) + " ::", output);
            EXPECT_NE(std::string::npos, output.find(" 0 bytes free")) << output;
        }
    }
}

} // namespace
