// Power loss in the middle of an installation. The sample product is installed unattended by
// the crash-test build of SETUP.EXE, which stops dead at a crash point (a block of a member
// read, a member written or placed, a write of the install log or SETUP.INI); the test then
// ends it with TerminateProcess, so that none of the program's own code runs afterwards, as
// after a power loss. The points are drawn from a seeded generator (SHIFTWELL_CRASH_SEED
// gives another seed): six among the blocks read, ten among the other points, one from each
// stretch of equal length of an uninterrupted run.
// After each stop: no file under a destination name holds anything but its member, every file
// the log lists is there with its member's bytes, the log and SETUP.INI are whole INI files;
// a second run installs the product byte for byte and the removal takes away what the log
// lists. Two more tests kill a program at random instants while it rewrites an INI file of
// many sections the way setup writes the install log and wininit.ini, and find every section
// whole each time.
#include "GuiInstallSupport.h"
#include "ProductState.h"

#include "framework/ui/Handle.h"
#include "profile/InstallLog.h"
#include "system/RegistryKey.h"
#include "uninstall/SharedFileCount.h"

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <iterator>
#include <map>
#include <random>
#include <set>

namespace {

constexpr char kReachedEvent[] = "ShiftwellCrashPointReached";
constexpr int kBlockRounds = 6;
constexpr int kOtherRounds = 10;

unsigned SeedFromEnvironment(unsigned fallback) {
    const char* seed = std::getenv("SHIFTWELL_CRASH_SEED");
    return seed && *seed ? static_cast<unsigned>(std::strtoul(seed, nullptr, 10)) : fallback;
}

const char* PointName(char letter) {
    switch (letter) {
    case 'b':
        return "block read";
    case 'w':
        return "member written";
    case 'p':
        return "member placed";
    case 'i':
        return "INI write";
    case 'c':
        return "INI copy made";
    case 'r':
        return "INI replaced";
    case 'd':
        return "file deleted";
    case 'n':
        return "count lowered";
    case 'k':
        return "registry entry deleted";
    case 'g':
        return "program item or group removed";
    case 'f':
        return "folder removed";
    default:
        return "?";
    }
}

// What an INI file holds: section name (lower case) to its keys (lower case). An empty
// problem text means every line is a header, a key line or empty and the last line is whole.
struct IniContent {
    std::map<std::string, std::set<std::string>> sections;
    std::string problem;
};

std::string Lower(std::string text) {
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

IniContent ParseIni(const std::string& bytes) {
    IniContent content;
    if (bytes.empty()) {
        content.problem = "empty";
        return content;
    }
    if (bytes.size() < 2 || bytes.compare(bytes.size() - 2, 2, "\r\n") != 0)
        content.problem = "last line cut";
    std::string section;
    size_t at = 0;
    while (at < bytes.size() && content.problem.empty()) {
        size_t end = bytes.find("\r\n", at);
        std::string line = bytes.substr(at, end == std::string::npos ? end : end - at);
        at = end == std::string::npos ? bytes.size() : end + 2;
        if (line.empty())
            continue;
        if (line.front() == '[' && line.back() == ']') {
            section = Lower(line.substr(1, line.size() - 2));
            content.sections[section];
        } else if (line.find('=') != std::string::npos && line.find('\0') == std::string::npos) {
            content.sections[section].insert(Lower(line.substr(0, line.find('='))));
        } else {
            content.problem = "bad line \"" + line.substr(0, 40) + "\"";
        }
    }
    return content;
}

// Names of eight hexadecimal digits (and any extension) in folder: temporary files.
std::vector<std::string> TemporaryFiles(const std::string& folder) {
    std::vector<std::string> found;
    CFindFile find;
    for (bool more = find.First(folder + "*"); more; more = find.Next()) {
        std::string name = find.GetName();
        std::string title = name.substr(0, name.find('.'));
        if (!find.IsDirectory() && title.size() == 8 &&
            title.find_first_not_of("0123456789abcdefABCDEF") == std::string::npos)
            found.push_back(folder + name);
    }
    return found;
}

class CrashedInstall : public GuiInstall {
protected:
    // The payload with the crash-test build as its setup program, and its diskette set.
    void SetUp() override {
        m_payload = "C:\\SWCRASH_" + std::to_string(GetCurrentProcessId()) + "\\";
        RemoveFolderTree(m_payload);
        ASSERT_TRUE(CreateDirectoryA(m_payload.c_str(), nullptr));
        const std::string source = HostPathToWindows(SHIFTWELL_PAYLOAD_HOST_DIR) + "\\";
        std::vector<std::string> files = ListFilesBelow(source);
        for (const std::string& file : files) {
            if (file.find('\\') != std::string::npos)
                continue; // the description names files of the folder itself only
            ASSERT_TRUE(CopyFileA((source + file).c_str(), (m_payload + file).c_str(), FALSE));
        }
        ASSERT_TRUE(CopyFileA(HostPathToWindows(CRASH_SETUP_EXE_HOST_PATH).c_str(),
                              (m_payload + "SETUP.EXE").c_str(), FALSE));
        MakeDisketteSet(m_payload.substr(0, m_payload.size() - 1));
        m_trace = m_payload + "crash.trace";
        m_reached.Reset(CreateEventA(nullptr, TRUE, FALSE, kReachedEvent));
        ASSERT_TRUE(m_reached.IsValid());
    }

    void TearDown() override {
        GuiInstall::TearDown();
        SetEnvironmentVariableA("SHIFTWELL_CRASH_TRACE", nullptr);
        RemoveFolderTree(m_payload);
    }

    // Runs setup /B from the first diskette until crash point stopAt (from 1; 0: to its
    // end). True when it stopped there and was ended.
    bool RunUntil(unsigned long stopAt) {
        return LaunchUntil(Disk(1, "SETUP.EXE"), "/B", m_set + "DISK01", stopAt);
    }

    // Runs program with arguments in folder until crash point stopAt (0: to its end). True
    // when it stopped there and was ended.
    bool LaunchUntil(const std::string& program, const std::string& arguments,
                     const std::string& folder, unsigned long stopAt) {
        SetEnvironmentVariableA("SHIFTWELL_CRASH_TRACE", m_trace.c_str());
        SetEnvironmentVariableA("SHIFTWELL_CRASH_AT", std::to_string(stopAt).c_str());
        SetEnvironmentVariableA("SHIFTWELL_CRASH_EVENT", kReachedEvent);
        ResetEvent(m_reached.Get());
        if (!m_setup.Launch(program, arguments, folder)) {
            ADD_FAILURE() << "cannot run " << program;
            return false;
        }
        HANDLE objects[] = {m_reached.Get(), m_setup.Handle()};
        if (WaitForMultipleObjects(2, objects, FALSE, kEndTimeoutMs) != WAIT_OBJECT_0)
            return false;
        // Nothing of the program runs after this, not even its exit code.
        TerminateProcess(m_setup.Handle(), 255);
        WaitForSingleObject(m_setup.Handle(), 10000);
        return true;
    }

    void Uninstall() {
        std::string program, arguments;
        CProductState::UninstallCommand(program, arguments);
        ASSERT_EQ("/U", arguments);
        ASSERT_TRUE(m_setup.Launch(program, arguments + " /B", m_install));
        ExpectEndsWithCode(0);
    }

    // The member bytes of a logged file.
    std::string MemberBytes(const std::string& path) const {
        return ReadFileBytes(m_payload + PayloadName(path.substr(path.find_last_of('\\') + 1)));
    }

    // Problems found after a stop; empty when there are none.
    std::vector<std::string> CheckAfterStop() const {
        std::vector<std::string> problems;
        // (a) Every destination name holds its member or nothing.
        for (const LoggedFile& file : m_reference.m_files) {
            if (!FileExists(file.strPath))
                continue;
            std::string bytes = ReadFileBytes(file.strPath);
            std::string member = MemberBytes(file.strPath);
            if (bytes != member)
                problems.push_back(file.strPath + " holds " + std::to_string(bytes.size()) +
                                   " bytes, not its member's " + std::to_string(member.size()));
        }
        // (b) What the log lists is there; (c) the log and SETUP.INI are whole.
        if (FileExists(Log())) {
            IniContent log = ParseIni(ReadFileBytes(Log()));
            if (!log.problem.empty())
                problems.push_back("shift.log: " + log.problem);
            for (const auto& section : log.sections) {
                if (m_groupKeys.count(section.first) == 0)
                    continue;
                for (const std::string& key : section.second) {
                    int id = std::atoi(IniValue(Log(), section.first.c_str(), key.c_str()).c_str());
                    auto folder = m_folderOf.find(id);
                    if (folder == m_folderOf.end()) {
                        problems.push_back("shift.log lists " + key + " for destination " +
                                           std::to_string(id));
                        continue;
                    }
                    std::string path = folder->second + key;
                    if (!FileExists(path))
                        problems.push_back("shift.log lists " + path + ", which is missing");
                    else if (ReadFileBytes(path) != MemberBytes(path))
                        problems.push_back("shift.log lists " + path + ", which is damaged");
                }
            }
        }
        if (FileExists(m_install + "SETUP.INI")) {
            IniContent record = ParseIni(ReadFileBytes(m_install + "SETUP.INI"));
            if (!record.problem.empty())
                problems.push_back("SETUP.INI: " + record.problem);
        }
        return problems;
    }

    // The whole product, byte for byte, and every file in the log.
    void ExpectWholeProduct() {
        for (const LoggedFile& file : m_reference.m_files) {
            ASSERT_TRUE(FileExists(file.strPath)) << file.strPath;
            EXPECT_TRUE(ReadFileBytes(file.strPath) == MemberBytes(file.strPath)) << file.strPath;
            const std::string name = file.strPath.substr(file.strPath.find_last_of('\\') + 1);
            bool logged = false;
            for (const std::string& group : m_groupKeys)
                logged = logged || !IniValue(Log(), group.c_str(), name.c_str()).empty();
            EXPECT_TRUE(logged) << name;
        }
    }

    // A new machine as far as this product goes: no log, no install folder, none of its
    // shared files (a copy of an earlier build has the same version and would be kept).
    void ForgetInstallation() {
        DeleteFileA(Log().c_str());
        RemoveFolderTree(m_install);
        CRegistryKey counts;
        counts.Open(HKEY_LOCAL_MACHINE, kSharedDllsKey, KEY_SET_VALUE);
        for (const std::string& name : SharedFileNames()) {
            const std::string path = SystemDirectoryPath() + name;
            SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            DeleteFileA(path.c_str());
            if (counts.IsOpen())
                counts.DeleteValue(path);
        }
    }

    // The members the product description sends to the system folder (destination -3).
    std::vector<std::string> SharedFileNames() const {
        const std::string desc = m_payload + "shiftwell.desc";
        std::vector<char> names(8192), lines(8192);
        GetPrivateProfileSectionNamesA(names.data(), static_cast<DWORD>(names.size()),
                                       desc.c_str());
        std::vector<std::string> shared;
        for (const char* section = names.data(); *section; section += strlen(section) + 1) {
            GetPrivateProfileSectionA(section, lines.data(), static_cast<DWORD>(lines.size()),
                                      desc.c_str());
            for (const char* line = lines.data(); *line; line += strlen(line) + 1) {
                std::string value = line;
                size_t equals = value.find('='), bar = value.find('|');
                if (equals != std::string::npos && bar != std::string::npos &&
                    value.compare(bar, 4, "|-3|") == 0)
                    shared.push_back(value.substr(equals + 1, bar - equals - 1));
            }
        }
        return shared;
    }

    std::string m_payload;
    std::string m_trace;
    CHandle m_reached;
    CProductState m_reference;             // what an uninterrupted run installs
    std::map<int, std::string> m_folderOf; // destination id to folder
    std::set<std::string> m_groupKeys;     // the log sections of installed files (lower case)
};

TEST_F(CrashedInstall, StopAnywhereLeavesNoDamageAndTheNextRunRepairs) {
    const auto started = std::chrono::steady_clock::now();
    // The uninterrupted run: what is installed, and the crash points it passes.
    ForgetInstallation();
    ASSERT_FALSE(RunUntil(0));
    ExpectEndsWithCode(0);
    const std::string trace = ReadFileBytes(m_trace);
    m_reference.Capture(Log());
    ASSERT_GE(m_reference.m_files.size(), 7u);
    for (const LoggedFile& file : m_reference.m_files)
        m_folderOf[file.nDestination] = file.strPath.substr(0, file.strPath.rfind('\\') + 1);
    for (const auto& section : ParseIni(ReadFileBytes(Log())).sections)
        if (section.first != "destinations" && section.first != "groups" &&
            section.first != "targets" && section.first != "events" &&
            section.first != Lower(kReleasedCountSection))
            m_groupKeys.insert(section.first);
    ExpectWholeProduct();
    Uninstall();
    ExpectRemoved(m_reference, true);

    std::vector<unsigned long> blocks, others;
    for (size_t i = 0; i < trace.size(); ++i)
        (trace[i] == 'b' ? blocks : others).push_back(static_cast<unsigned long>(i + 1));
    ASSERT_GE(blocks.size(), static_cast<size_t>(kBlockRounds));
    ASSERT_GE(others.size(), static_cast<size_t>(kOtherRounds));
    // One point from each stretch of equal length, so that the stops cover the whole run.
    const unsigned seed = SeedFromEnvironment(1209);
    std::mt19937 generator(seed);
    std::vector<unsigned long> stops;
    auto draw = [&](const std::vector<unsigned long>& points, int rounds) {
        for (int r = 0; r < rounds; ++r) {
            size_t from = points.size() * r / rounds, to = points.size() * (r + 1) / rounds;
            std::uniform_int_distribution<size_t> pick(from, to - 1);
            stops.push_back(points[pick(generator)]);
        }
    };
    draw(blocks, kBlockRounds);
    draw(others, kOtherRounds);
    std::sort(stops.begin(), stops.end());
    std::cout << "crash points: " << trace.size() << " (" << blocks.size() << " blocks), seed "
              << seed << "\n";

    for (unsigned long stop : stops) {
        SCOPED_TRACE("crash point " + std::to_string(stop));
        ForgetInstallation();
        ASSERT_TRUE(RunUntil(stop)) << "setup ended before crash point " << stop;
        std::vector<std::string> problems = CheckAfterStop();
        std::vector<std::string> temporary;
        for (const auto& folder : m_folderOf)
            for (const std::string& file : TemporaryFiles(folder.second))
                temporary.push_back(file);
        for (const std::string& file : TemporaryFiles(WindowsDirectoryPath()))
            if (Lower(file).size() > 4 && Lower(file).compare(file.size() - 4, 4, ".log") == 0)
                temporary.push_back(file); // a copy of the install log
        std::cout << "  stop at point " << stop << " of " << trace.size() << " ("
                  << PointName(trace[stop - 1]) << "): "
                  << (problems.empty() ? "no damage"
                                       : std::to_string(problems.size()) + " problem(s)")
                  << ", " << temporary.size() << " temporary file(s) left\n";
        for (const std::string& problem : problems) {
            std::cout << "    " << problem << "\n";
            ADD_FAILURE() << problem;
        }
        for (const std::string& file : temporary)
            DeleteFileA(file.c_str());

        // The next run repairs; the removal takes what the log lists.
        ASSERT_FALSE(RunUntil(0));
        ExpectEndsWithCode(0);
        ExpectWholeProduct();
        CProductState state;
        state.Capture(Log());
        ::ExpectInstalled(state);
        Uninstall();
        ExpectRemoved(state, true);
    }
    std::cout << "took "
              << std::chrono::duration_cast<std::chrono::seconds>(std::chrono::steady_clock::now() -
                                                                  started)
                     .count()
              << " s\n";
}

// Power loss in the middle of a removal. The sample product is installed (another program
// having counted its shared library before) and removed by the crash-test build's /U /B,
// stopped dead at a crash point of the removal (a file or data file deleted, a shared count
// lowered, a registry tree, value or entry deleted, a component unregistered, a program item
// or the group removed, a folder removed, a write of the install log) and ended there. After
// each stop the log is a whole INI file with its model; the removal run again then ends
// exactly where one uninterrupted removal of the same installation ends: the same files and
// folders, every shared count at its value before the installation, the same registry
// entries, items and group. The points are drawn as for the installation: two of each kind,
// one from each half of its stretch of the uninterrupted run.
class CrashedUninstall : public CrashedInstall {
protected:
    // The machine before each installation: another program's claim on the shared library,
    // no count for the helper, the install log of the earlier rounds kept (an installation
    // over it must make its counts releasable again).
    void PrepareMachine() {
        CRegistryKey counts;
        counts.Open(HKEY_LOCAL_MACHINE, kSharedDllsKey, KEY_SET_VALUE);
        m_countsBefore.clear();
        for (const std::string& name : SharedFileNames()) {
            const std::string path = SystemDirectoryPath() + name;
            if (Lower(name) == "shiftcom.dll") {
                ASSERT_TRUE(SetRegistryNumber(HKEY_LOCAL_MACHINE, kSharedDllsKey, path, 1));
                m_countsBefore[Lower(name)] = "1";
            } else {
                if (counts.IsOpen())
                    counts.DeleteValue(path);
                m_countsBefore[Lower(name)] = "none";
            }
        }
        ASSERT_EQ(1u, m_countsBefore.count("shiftcom.dll"));
    }

    // Installed, and used: the data files and registry trees that "Register.ini" lists.
    void Install() {
        ASSERT_FALSE(RunUntil(0));
        ExpectEndsWithCode(0);
        WriteFileBytes(m_install + "recover.tmp", "autosave");
        WriteFileBytes(m_install + "DATA\\plan.tmp", "autosave");
        WriteFileBytes(m_install + "shift.cfg", "[Options]\r\n");
        for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE})
            CRegistryKey().Create(root, "Software\\Corvatek\\Shiftwell\\Settings");
        m_installed = CProductState();
        m_installed.Capture(Log());
        ::ExpectInstalled(m_installed);
        ASSERT_EQ(m_countsBefore.size(), m_installed.m_sharedCounts.size());
        std::string program, arguments;
        CProductState::UninstallCommand(program, arguments);
        ASSERT_EQ("/U", arguments);
    }

    // Runs the Uninstall entry's command unattended until crash point stopAt (0: to its end).
    // True when it stopped there and was ended.
    bool UninstallUntil(unsigned long stopAt) {
        // The Uninstall entry's program; the entry itself may be gone after a stop.
        return LaunchUntil(m_installed.m_strSetupProgram, "/U /B", m_install, stopAt);
    }

    // The removal run to its end, and the helper's turn after it.
    void UninstallToTheEnd() {
        ASSERT_FALSE(UninstallUntil(0));
        ExpectEndsWithCode(0);
        EXPECT_TRUE(WaitUntilGone(m_installed.m_strSetupProgram, 30000));
        EXPECT_TRUE(WaitForRemovalHelpers(30000));
    }

    std::map<std::string, std::string> m_countsBefore; // file name to count ("none": no value)
    CProductState m_installed;
};

TEST_F(CrashedUninstall, StopAnywhereAndRunAgainEndsAsOneRemoval) {
    const auto started = std::chrono::steady_clock::now();
    ForgetInstallation();
    PrepareMachine();
    Install();
    UninstallToTheEnd();
    const std::string trace = ReadFileBytes(m_trace);
    const std::vector<std::string> reference = DescribeProductLeftovers(m_installed);
    // Every count is back where it was before the installation.
    for (const auto& count : m_installed.m_sharedCounts) {
        const std::string& before =
            m_countsBefore[Lower(count.first.substr(count.first.rfind('\\') + 1))];
        EXPECT_NE(reference.end(), std::find(reference.begin(), reference.end(),
                                             "count " + count.first + " " + before))
            << count.first << " is not back at " << before;
    }
    ExpectRemoved(m_installed, true);

    // Two points of each kind, one from each half of its stretch.
    std::map<char, std::vector<unsigned long>> kinds;
    for (size_t i = 0; i < trace.size(); ++i)
        kinds[trace[i]].push_back(static_cast<unsigned long>(i + 1));
    for (char kind : std::string("dnkgfic"))
        EXPECT_TRUE(kinds.count(kind)) << "the removal passed no point '" << kind << "'";
    const unsigned seed = SeedFromEnvironment(1209);
    std::mt19937 generator(seed);
    std::vector<unsigned long> stops;
    for (const auto& kind : kinds) {
        const std::vector<unsigned long>& points = kind.second;
        const size_t rounds = std::min<size_t>(2, points.size());
        for (size_t r = 0; r < rounds; ++r) {
            std::uniform_int_distribution<size_t> pick(points.size() * r / rounds,
                                                       points.size() * (r + 1) / rounds - 1);
            stops.push_back(points[pick(generator)]);
        }
    }
    std::sort(stops.begin(), stops.end());
    std::cout << "removal crash points: " << trace << " (" << trace.size() << "), seed " << seed
              << ", " << stops.size() << " stops\n";

    int differing = 0;
    for (unsigned long stop : stops) {
        SCOPED_TRACE("removal crash point " + std::to_string(stop));
        PrepareMachine();
        Install();
        ASSERT_TRUE(UninstallUntil(stop)) << "the removal ended before crash point " << stop;
        IniContent log = ParseIni(ReadFileBytes(Log()));
        EXPECT_EQ("", log.problem);
        EXPECT_EQ(1u, log.sections.count("destinations"));
        size_t logCopies = 0;
        for (const std::string& file : TemporaryFiles(WindowsDirectoryPath())) {
            if (Lower(file).size() > 4 && Lower(file).compare(file.size() - 4, 4, ".log") == 0) {
                ++logCopies;
                DeleteFileA(file.c_str());
            }
        }
        UninstallToTheEnd();
        const std::vector<std::string> found = DescribeProductLeftovers(m_installed);
        std::vector<std::string> differences;
        std::set_symmetric_difference(found.begin(), found.end(), reference.begin(),
                                      reference.end(), std::back_inserter(differences));
        std::cout << "  stop at point " << stop << " of " << trace.size() << " ("
                  << PointName(trace[stop - 1]) << "): log "
                  << (log.problem.empty() ? "whole" : log.problem) << ", " << logCopies
                  << " log copy left; run again: "
                  << (differences.empty() ? "ends as one removal"
                                          : std::to_string(differences.size()) + " difference(s)")
                  << "\n";
        for (const std::string& line : differences) {
            const bool inFound = std::binary_search(found.begin(), found.end(), line);
            std::cout << "    " << (inFound ? "now: " : "one removal: ") << line << "\n";
            ADD_FAILURE() << (inFound ? "now: " : "one removal: ") << line;
        }
        differing += differences.empty() ? 0 : 1;
    }
    std::cout << stops.size() - differing << " of " << stops.size()
              << " stops end as one removal; took "
              << std::chrono::duration_cast<std::chrono::seconds>(std::chrono::steady_clock::now() -
                                                                  started)
                     .count()
              << " s\n";
}

// A program killed at random instants while it rewrites an INI file of many sections, through
// the install log's writer or through the line filter that adds replacements at the next
// start to wininit.ini: every section and every key is there after each kill.
void KillWhileWriting(const char* mode) {
    constexpr int kRounds = 10;
    constexpr int kSections = 24;
    constexpr int kKeys = 16;
    const std::string folder = "C:\\SWCRASHINI_" + std::to_string(GetCurrentProcessId()) + "\\";
    const std::string file = folder + "written.ini";
    RemoveFolderTree(folder);
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
    CHandle ready(CreateEventA(nullptr, FALSE, FALSE, "ShiftwellIniWriterReady"));
    std::mt19937 generator(SeedFromEnvironment(1209));
    std::uniform_int_distribution<int> delayMs(0, 40);
    int cut = 0;
    for (int round = 0; round < kRounds; ++round) {
        DeleteFileA(file.c_str());
        CProcess writer;
        ASSERT_TRUE(writer.Launch(HostPathToWindows(PROFILE_WRITER_EXE_HOST_PATH),
                                  "\"" + file + "\" ShiftwellIniWriterReady " +
                                      std::to_string(kSections) + " " + std::to_string(kKeys) +
                                      " " + mode));
        ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(ready.Get(), 30000));
        Sleep(static_cast<DWORD>(delayMs(generator)));
        TerminateProcess(writer.Handle(), 255);
        WaitForSingleObject(writer.Handle(), 10000);

        IniContent content = ParseIni(ReadFileBytes(file));
        if (!FileExists(file))
            content.problem = "missing";
        int whole = 0;
        for (int s = 0; s < kSections; ++s) {
            const auto& keys = content.sections["group" + std::to_string(s)];
            whole += keys.size() == static_cast<size_t>(kKeys) ? 1 : 0;
        }
        bool intact = content.problem.empty() && whole == kSections;
        cut += intact ? 0 : 1;
        std::cout << "  " << mode << " kill " << round + 1 << ": " << whole << " of " << kSections
                  << " sections whole" << (content.problem.empty() ? "" : ", " + content.problem)
                  << ", " << TemporaryFiles(folder).size() << " temporary file(s)\n";
        for (const std::string& temporary : TemporaryFiles(folder))
            DeleteFileA(temporary.c_str());
    }
    EXPECT_EQ(0, cut) << "kills that left the file cut or missing, of " << kRounds;
    RemoveFolderTree(folder);
}

TEST(KilledIniWrite, NeverLeavesTheLogCut) {
    KillWhileWriting("log");
}

TEST(KilledIniWrite, NeverLeavesWininitCutOrMissing) {
    KillWhileWriting("rename");
}

} // namespace
