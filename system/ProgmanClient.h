// CProgmanClient: creates and removes program groups and items by sending Program Manager
// command strings over one DDE conversation, and asks for the names of the existing groups.
// On the newer shell the shell answers the same service. Win32 only.
//
// A client is a short-lived local object: it connects on its first command (starting
// "progman.exe" once when nobody answers) and disconnects when destroyed, so each new client
// opens a new conversation. No operation throws; a missing server, a refused command or a
// time-out shows only as a false result.
#pragma once

#include "system/DdeConversation.h"

#include <string>
#include <vector>

constexpr char kProgmanService[] = "PROGMAN";
constexpr char kProgmanTopic[] = "PROGMAN";
constexpr char kProgmanGroupListItem[] = "Progman";
constexpr char kProgmanProgram[] = "progman.exe";

// Whether a program item runs minimised: show kind SW_MINIMIZE or SW_SHOWMINIMIZED, or the
// position SW_SHOWMINIMIZED (callers pass the show command there too).
bool RunsMinimized(int position, int showKind);

class CProgmanClient {
public:
    // Starts a program when Program Manager does not answer; true when it was started.
    using ProgramStarter = bool (*)(const char* commandLine, unsigned showCommand);

    // The service and topic are Program Manager's; tests name another to stay alone.
    explicit CProgmanClient(const std::string& service = kProgmanService,
                            const std::string& topic = kProgmanTopic);
    CProgmanClient(const CProgmanClient&) = delete;
    CProgmanClient& operator=(const CProgmanClient&) = delete;
    virtual ~CProgmanClient();

    // Puts one item into `group` (made current with CreateGroup): ReplaceItem(title), then
    // AddItem with commandPath (quoted when it holds a blank or tab) and the arguments.
    // iconPath may be null (the command line is repeated as icon path). position goes to the
    // x field; the item runs minimised when RunsMinimized(position, showKind). The result is
    // AddItem's.
    virtual bool AddProgramItem(const std::string& group, const std::string& commandPath,
                                const std::string& arguments, const std::string& title,
                                const char* iconPath, int iconIndex, int position, int showKind);
    virtual bool RemoveProgramItem(const std::string& group, const std::string& title);
    // DeleteGroup(group); `spare` is not used.
    virtual bool RemoveGroup(const std::string& group, int spare);
    // Adds every existing group name to the list box (LB_ADDSTRING), in the order received.
    virtual bool FillGroupList(HWND listBox);

    // The names of the existing groups, in the order Program Manager sends them.
    bool GetGroupNames(std::vector<std::string>& names);

    // True when connected, connecting now if needed; with mayStart, starts Program Manager
    // once when nobody answers and tries once more (no waiting in between).
    bool EnsureConnected(bool mayStart);
    bool CreateGroup(const std::string& name, const char* groupFile = nullptr);
    bool DeleteGroup(const std::string& name);
    bool ReplaceItem(const std::string& name);
    bool DeleteItem(const std::string& name);
    // The nine-field AddItem; null iconPath/workingDir and hotKey -1 as ProgmanCommands.h says.
    bool AddItem(const std::string& commandLine, const std::string& name, const char* iconPath,
                 int iconIndex, int x, int y, const char* workingDir, int hotKey, int minimize);
    bool Disconnect();

    bool IsConnected() const { return m_bConnected; }

    // Replaces the way Program Manager is started (WinExec by default); returns the previous
    // starter. Tests use it to count and direct the starts.
    static ProgramStarter SetProgramStarter(ProgramStarter starter);

private:
    bool Send(bool ok, const std::string& command);

    CDdeConversation m_conversation;
    bool m_bConnected = false;
    std::string m_strService;
    std::string m_strTopic;
};
