// A stand-in Program Manager for the DDE tests: it registers the DDE service "PROGMAN",
// records every connection, execute string and request in a log file (one line each) and
// answers the group-list request with the bytes of an answer file.
//
//   ProgmanRecorder.exe LOG READY-EVENT QUIT-EVENT [--answer FILE] [--reject PREFIX]
//                       [--service NAME]
//
// LOG lines: "CONNECT", "EXECUTE <command>", "REQUEST <item>", "DISCONNECT".
// READY-EVENT is set once the service is registered; the program ends when QUIT-EVENT is
// set. Without --answer a request gets no data. Execute strings that begin with PREFIX are
// refused (as Program Manager refuses ReplaceItem of an item that does not exist). --service
// registers another name than "PROGMAN", for tests that must not meet the shell's server.
#include "TestFiles.h"

#include "framework/ui/Handle.h"
#include "system/DdeHandles.h"

#include <windows.h>
#include <ddeml.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

namespace {

DWORD g_instance = 0;
FILE* g_log = nullptr;
std::string g_answer;
bool g_hasAnswer = false;
std::string g_serviceName = "PROGMAN";
std::string g_rejectPrefix;

void LogLine(const std::string& line) {
    fprintf(g_log, "%s\n", line.c_str());
    fflush(g_log);
}

std::string StringOf(HSZ handle) {
    char buffer[256] = {};
    DdeQueryStringA(g_instance, handle, buffer, sizeof buffer, CP_WINANSI);
    return buffer;
}

std::string TextOf(HDDEDATA data) {
    DWORD size = DdeGetData(data, nullptr, 0, 0);
    std::string text(size, '\0');
    if (size != 0)
        DdeGetData(data, reinterpret_cast<LPBYTE>(&text[0]), size, 0);
    // The client sends the terminating zero; the log keeps the text before it.
    size_t end = text.find('\0');
    if (end != std::string::npos)
        text.resize(end);
    return text;
}

HDDEDATA CALLBACK OnTransaction(UINT type, UINT format, HCONV, HSZ topic, HSZ item, HDDEDATA data,
                                ULONG_PTR, ULONG_PTR) {
    switch (type) {
    case XTYP_CONNECT:
        return reinterpret_cast<HDDEDATA>(lstrcmpiA(StringOf(topic).c_str(), "PROGMAN") == 0);
    case XTYP_WILDCONNECT:
        return nullptr;
    case XTYP_CONNECT_CONFIRM:
        LogLine("CONNECT");
        return nullptr;
    case XTYP_DISCONNECT:
        LogLine("DISCONNECT");
        return nullptr;
    case XTYP_EXECUTE: {
        std::string command = TextOf(data);
        LogLine("EXECUTE " + command);
        bool reject = !g_rejectPrefix.empty() &&
                      command.compare(0, g_rejectPrefix.size(), g_rejectPrefix) == 0;
        return reinterpret_cast<HDDEDATA>(reject ? DDE_FNOTPROCESSED : DDE_FACK);
    }
    case XTYP_REQUEST:
        LogLine("REQUEST " + StringOf(item));
        if (format != CF_TEXT || !g_hasAnswer)
            return nullptr;
        return DdeCreateDataHandle(g_instance, reinterpret_cast<LPBYTE>(&g_answer[0]),
                                   static_cast<DWORD>(g_answer.size() + 1), 0, item, CF_TEXT, 0);
    default:
        return nullptr;
    }
}

// A client's terminate may still be queued when the quit event comes (the client does not
// always wait for the answer): it is handled, and logged, before the recorder ends.
void DispatchPendingMessages() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 4)
        return 2;
    // Closed last: the library may still report a disconnect while it ends.
    std::unique_ptr<FILE, int (*)(FILE*)> log(fopen(argv[1], "ab"), fclose);
    g_log = log.get();
    CHandle ready(OpenEventA(EVENT_MODIFY_STATE, FALSE, argv[2]));
    CHandle quit(OpenEventA(SYNCHRONIZE, FALSE, argv[3]));
    if (!g_log || !ready.IsValid() || !quit.IsValid())
        return 3;
    for (int i = 4; i + 1 < argc; i += 2) {
        std::string option = argv[i];
        if (option == "--answer") {
            g_answer = ReadFileBytes(argv[i + 1]);
            g_hasAnswer = true;
        } else if (option == "--reject") {
            g_rejectPrefix = argv[i + 1];
        } else if (option == "--service") {
            g_serviceName = argv[i + 1];
        }
    }

    CDdeInstance dde;
    if (!dde.Initialize(OnTransaction,
                        APPCLASS_STANDARD | CBF_SKIP_REGISTRATIONS | CBF_SKIP_UNREGISTRATIONS))
        return 4;
    g_instance = dde.GetId();
    CDdeStringHandle service(g_instance, g_serviceName);
    if (!DdeNameService(g_instance, service.Get(), nullptr, DNS_REGISTER))
        return 5;
    SetEvent(ready.Get());

    HANDLE quitEvent = quit.Get();
    for (;;) {
        DWORD wait = MsgWaitForMultipleObjects(1, &quitEvent, FALSE, INFINITE, QS_ALLINPUT);
        DispatchPendingMessages();
        if (wait == WAIT_OBJECT_0)
            break;
    }
    DdeNameService(g_instance, service.Get(), nullptr, DNS_UNREGISTER);
    return 0;
}
