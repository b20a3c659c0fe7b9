// The Program Manager DDE client against a stand-in Program Manager (ProgmanRecorder.exe)
// that registers "PROGMAN" and records every string it receives.
#include "RecorderProcess.h"
#include "TestFiles.h"

#include "framework/ui/Handle.h"
#include "system/ProgmanClient.h"

#include <gtest/gtest.h>
#include <tlhelp32.h>

#include <set>

namespace {

using Lines = std::vector<std::string>;

class ProgmanClientTest : public ::testing::Test {
protected:
    void StartRecorder(const CRecorderProcess::Options& options = {}) {
        ASSERT_TRUE(m_recorder.Start(m_folder.Folder(), options));
    }
    Lines StopRecorder() { return m_recorder.Stop(); }

    CScratchFolder m_folder;
    CRecorderProcess m_recorder;
};

TEST_F(ProgmanClientTest, EachItemSendsCreateGroupReplaceItemAddItemInOrder) {
    StartRecorder();
    {
        CProgmanClient client;
        EXPECT_TRUE(client.AddProgramItem("Corvatek Shiftwell",
                                          "C:\\Program Files\\Shiftwell\\shift.exe", "/x",
                                          "Shiftwell", nullptr, 0, 5, 5));
        EXPECT_TRUE(client.AddProgramItem("Corvatek Shiftwell", "C:\\SHIFT\\readme.exe", "",
                                          "Read Me", "C:\\SHIFT\\shift.ico", 3, 2, 5));
    }
    EXPECT_EQ(
        StopRecorder(),
        (Lines{"CONNECT", "EXECUTE [CreateGroup (\"Corvatek Shiftwell\")]",
               "EXECUTE [ReplaceItem (Shiftwell)]",
               "EXECUTE [AddItem (\"C:\\Program Files\\Shiftwell\\shift.exe\" /x,"
               "\"Shiftwell\",\"C:\\Program Files\\Shiftwell\\shift.exe\" /x,0,5,0,,,0)]",
               "EXECUTE [CreateGroup (\"Corvatek Shiftwell\")]", "EXECUTE [ReplaceItem (Read Me)]",
               "EXECUTE [AddItem (C:\\SHIFT\\readme.exe,\"Read Me\",C:\\SHIFT\\shift.ico,"
               "3,2,0,,,1)]",
               "DISCONNECT"}));
}

TEST_F(ProgmanClientTest, RefusedReplaceItemDoesNotStopTheItem) {
    CRecorderProcess::Options options;
    options.rejectPrefix = "[ReplaceItem";
    StartRecorder(options);
    {
        CProgmanClient client;
        client.AddProgramItem("Group", "C:\\S\\a.exe", "", "A", "", 0, -1, SW_SHOWMINIMIZED);
    }
    EXPECT_EQ(ExecutedCommands(StopRecorder()),
              (Lines{"[CreateGroup (\"Group\")]", "[ReplaceItem (A)]",
                     "[AddItem (C:\\S\\a.exe,\"A\",,0,-1,0,,,1)]"}));
}

TEST_F(ProgmanClientTest, RemovalSendsDeleteItemInItsGroupThenDeleteGroup) {
    StartRecorder();
    {
        CProgmanClient client;
        client.RemoveProgramItem("Corvatek Shiftwell", "Shiftwell");
        client.RemoveGroup("Corvatek Shiftwell", 0);
    }
    EXPECT_EQ(ExecutedCommands(StopRecorder()),
              (Lines{"[CreateGroup (\"Corvatek Shiftwell\")]", "[DeleteItem (Shiftwell)]",
                     "[DeleteGroup(\"Corvatek Shiftwell\")]"}));
}

TEST_F(ProgmanClientTest, EveryClientOpensItsOwnConversation) {
    StartRecorder();
    for (int i = 0; i < 2; ++i) {
        CProgmanClient client;
        client.CreateGroup("G", "G.GRP");
    }
    EXPECT_EQ(StopRecorder(),
              (Lines{"CONNECT", "EXECUTE [CreateGroup (\"G\", \"G.GRP\")]", "DISCONNECT", "CONNECT",
                     "EXECUTE [CreateGroup (\"G\", \"G.GRP\")]", "DISCONNECT"}));
}

TEST_F(ProgmanClientTest, GroupListOfTwoNamesFillsTheListBoxInOrder) {
    CRecorderProcess::Options options;
    options.answer = "Games\r\nAccessories\r\n";
    options.hasAnswer = true;
    StartRecorder(options);

    HWND list =
        CreateWindowA("LISTBOX", "", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(list, nullptr);
    {
        CProgmanClient client;
        EXPECT_TRUE(client.FillGroupList(list));
    }
    ASSERT_EQ(SendMessageA(list, LB_GETCOUNT, 0, 0), 2);
    char text[64];
    SendMessageA(list, LB_GETTEXT, 0, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(text, "Games");
    SendMessageA(list, LB_GETTEXT, 1, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(text, "Accessories");
    DestroyWindow(list);

    Lines log = StopRecorder();
    ASSERT_EQ(log.size(), 3u) << ::testing::PrintToString(log);
    EXPECT_EQ(lstrcmpiA(log[1].c_str(), "REQUEST Progman"), 0) << log[1];
}

TEST_F(ProgmanClientTest, RequestWithoutDataLeavesTheListAlone) {
    StartRecorder(); // answers requests with no data
    CProgmanClient client;
    std::vector<std::string> names{"kept"};
    EXPECT_FALSE(client.GetGroupNames(names));
    EXPECT_EQ(names, (std::vector<std::string>{"kept"}));
}

TEST_F(ProgmanClientTest, CommandsThatCannotBeSentWholeAreNotSentAtAll) {
    StartRecorder();
    {
        CProgmanClient client;
        ASSERT_TRUE(client.EnsureConnected(false));
        EXPECT_FALSE(client.DeleteItem(std::string(600, 'x')));
        EXPECT_FALSE(client.CreateGroup("Games\")][DeleteGroup(\"Main"));
        CDdeConversation conversation;
        ASSERT_TRUE(conversation.Connect(kProgmanService, kProgmanTopic));
        EXPECT_FALSE(conversation.Execute("[DeleteItem (%s)]", std::string(505, 'y').c_str()));
        EXPECT_TRUE(conversation.Execute("[DeleteItem (%s)]", std::string(496, 'z').c_str()));
    }
    EXPECT_EQ(ExecutedCommands(StopRecorder()),
              (Lines{"[DeleteItem (" + std::string(496, 'z') + ")]"}));
}

// Program starts seen by the replaceable starter; the test's own service name keeps the
// shell's Program Manager service out of the way.
const char kStartService[] = "SHIFTWELLSTARTTEST";
int g_starts = 0;
std::string g_started;
CRecorderProcess* g_startedRecorder = nullptr;
std::string g_startFolder;

bool CountOnly(const char* commandLine, unsigned showCommand) {
    ++g_starts;
    g_started = commandLine;
    return true;
}

// Like WinExec, returns once the started program is ready.
bool StartRecorderAsProgramManager(const char* commandLine, unsigned showCommand) {
    ++g_starts;
    g_started = commandLine;
    CRecorderProcess::Options options;
    options.service = kStartService;
    return g_startedRecorder->Start(g_startFolder, options);
}

class ProgramStartTest : public ::testing::Test {
protected:
    void SetUp() override {
        g_starts = 0;
        g_started.clear();
        m_previous = CProgmanClient::SetProgramStarter(CountOnly);
    }
    void TearDown() override { CProgmanClient::SetProgramStarter(m_previous); }
    CProgmanClient::ProgramStarter m_previous = nullptr;
};

TEST_F(ProgramStartTest, NobodyAnsweringStartsProgmanOnceAndRetriesOnce) {
    CProgmanClient client(kStartService);
    EXPECT_FALSE(client.EnsureConnected(false));
    EXPECT_EQ(g_starts, 0);
    EXPECT_FALSE(client.EnsureConnected(true));
    EXPECT_EQ(g_starts, 1);
    EXPECT_EQ(g_started, "progman.exe");
}

TEST_F(ProgramStartTest, ConnectedClientNeverStartsItAgain) {
    CScratchFolder folder;
    CRecorderProcess recorder;
    g_startedRecorder = &recorder;
    g_startFolder = folder.Folder();
    CProgmanClient::SetProgramStarter(StartRecorderAsProgramManager);
    {
        CProgmanClient client(kStartService);
        EXPECT_TRUE(client.CreateGroup("One"));
        EXPECT_TRUE(client.CreateGroup("Two"));
        EXPECT_TRUE(client.DeleteGroup("One"));
    }
    EXPECT_EQ(g_starts, 1);
    EXPECT_EQ(recorder.Stop(), (Lines{"CONNECT", "EXECUTE [CreateGroup (\"One\")]",
                                      "EXECUTE [CreateGroup (\"Two\")]",
                                      "EXECUTE [DeleteGroup(\"One\")]", "DISCONNECT"}));
}

std::set<DWORD> ProcessesNamed(const char* name) {
    std::set<DWORD> ids;
    CHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    PROCESSENTRY32 entry = {};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32First(snapshot.Get(), &entry); more;
         more = Process32Next(snapshot.Get(), &entry)) {
        if (lstrcmpiA(entry.szExeFile, name) == 0)
            ids.insert(entry.th32ProcessID);
    }
    return ids;
}

TEST(ProgramStartReal, DefaultStarterRunsTheSystemsProgramManager) {
    const std::set<DWORD> before = ProcessesNamed("progman.exe");
    {
        CProgmanClient client(kStartService); // nobody answers this name
        EXPECT_FALSE(client.EnsureConnected(true));
    }
    std::set<DWORD> started;
    for (DWORD id : ProcessesNamed("progman.exe")) {
        if (!before.count(id))
            started.insert(id);
    }
    EXPECT_EQ(started.size(), 1u);
    for (DWORD id : started) { // the one this test started
        CHandle process(OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, id));
        TerminateProcess(process.Get(), 0);
        WaitForSingleObject(process.Get(), 5000);
    }
}

} // namespace
