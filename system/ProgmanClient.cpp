#include "system/ProgmanClient.h"

#include "system/CommandText.h"
#include "system/ProgmanCommands.h"

namespace {

bool StartWithWinExec(const char* commandLine, unsigned showCommand) {
    return WinExec(commandLine, showCommand) > 31;
}

CProgmanClient::ProgramStarter g_startProgram = StartWithWinExec;

} // namespace

bool RunsMinimized(int position, int showKind) {
    return showKind == SW_MINIMIZE || showKind == SW_SHOWMINIMIZED || position == SW_SHOWMINIMIZED;
}

CProgmanClient::ProgramStarter CProgmanClient::SetProgramStarter(ProgramStarter starter) {
    ProgramStarter previous = g_startProgram;
    g_startProgram = starter ? starter : StartWithWinExec;
    return previous;
}

CProgmanClient::CProgmanClient(const std::string& service, const std::string& topic)
    : m_strService(service), m_strTopic(topic) {}

CProgmanClient::~CProgmanClient() {
    if (m_bConnected)
        Disconnect();
}

bool CProgmanClient::EnsureConnected(bool mayStart) {
    if (m_bConnected)
        return true;
    if (!m_conversation.Connect(m_strService, m_strTopic)) {
        if (!mayStart)
            return false;
        g_startProgram(kProgmanProgram, SW_SHOW);
        if (!m_conversation.Connect(m_strService, m_strTopic))
            return false;
    }
    m_bConnected = true;
    return true;
}

bool CProgmanClient::Disconnect() {
    bool ok = m_conversation.Disconnect();
    if (ok)
        m_bConnected = false;
    return ok;
}

// A command that could not be built (too long, or an argument that would break it) is not
// sent at all.
bool CProgmanClient::Send(bool ok, const std::string& command) {
    return ok && m_conversation.ExecuteCommand(command);
}

bool CProgmanClient::CreateGroup(const std::string& name, const char* groupFile) {
    EnsureConnected(true);
    std::string command;
    return Send(MakeCreateGroupCommand(command, name, groupFile), command);
}

bool CProgmanClient::DeleteGroup(const std::string& name) {
    EnsureConnected(true);
    std::string command;
    return Send(MakeDeleteGroupCommand(command, name), command);
}

bool CProgmanClient::ReplaceItem(const std::string& name) {
    std::string command;
    return Send(MakeReplaceItemCommand(command, name), command);
}

bool CProgmanClient::DeleteItem(const std::string& name) {
    std::string command;
    return Send(MakeDeleteItemCommand(command, name), command);
}

bool CProgmanClient::AddItem(const std::string& commandLine, const std::string& name,
                             const char* iconPath, int iconIndex, int x, int y,
                             const char* workingDir, int hotKey, int minimize) {
    EnsureConnected(true);
    std::string command;
    return Send(MakeAddItemCommand(command, commandLine, name, iconPath, iconIndex, x, y,
                                   workingDir, hotKey, minimize != 0),
                command);
}

bool CProgmanClient::AddProgramItem(const std::string& group, const std::string& commandPath,
                                    const std::string& arguments, const std::string& title,
                                    const char* iconPath, int iconIndex, int position,
                                    int showKind) {
    EnsureConnected(true);
    CreateGroup(group);
    ReplaceItem(title); // fails when no item of that title exists yet, which is fine
    const bool minimized = RunsMinimized(position, showKind);
    return AddItem(MakeCommandLine(commandPath, arguments), title, iconPath, iconIndex, position, 0,
                   nullptr, -1, minimized ? 1 : 0);
}

bool CProgmanClient::RemoveProgramItem(const std::string& group, const std::string& title) {
    EnsureConnected(true);
    CreateGroup(group);
    return DeleteItem(title);
}

bool CProgmanClient::RemoveGroup(const std::string& group, int) {
    return DeleteGroup(group);
}

bool CProgmanClient::GetGroupNames(std::vector<std::string>& names) {
    EnsureConnected(true);
    std::string answer;
    if (!m_conversation.Request(kProgmanGroupListItem, answer))
        return false;
    names = SplitAtLineBreaks(answer);
    return true;
}

bool CProgmanClient::FillGroupList(HWND listBox) {
    std::vector<std::string> names;
    GetGroupNames(names);
    for (const std::string& name : names)
        SendMessageA(listBox, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
    return true;
}
