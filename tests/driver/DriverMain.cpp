// guidriver.exe: the GUI driver as a command, for scripts.
//   guidriver wait TIMEOUT_MS CAPTION [ID...]   a window with that caption (and controls)
//   guidriver click CAPTION ID                  clicks control ID of the window with that
//                                               caption that has such a control
//   guidriver text CAPTION ID                   prints that control's text
//   guidriver screenshot FILE.bmp               the whole screen
//   guidriver run TIMEOUT_MS EXE [ARGS...]      runs a program, prints its full exit code
// Exit status: 0 success, 1 failure or time-out, 2 wrong usage.
#include "GuiDriver.h"

#include <cstdio>
#include <cstdlib>
#include <string>

using namespace guidriver;

namespace {

int Usage() {
    fprintf(stderr, "usage: guidriver wait TIMEOUT_MS CAPTION [ID...] | click CAPTION ID |"
                    " text CAPTION ID | screenshot FILE.bmp | run TIMEOUT_MS EXE [ARGS...]\n");
    return 2;
}

HWND FindWithControl(const std::string& caption, int id, DWORD timeoutMs) {
    WindowQuery query;
    query.caption = caption;
    query.className.clear();
    query.controlIds.push_back(id);
    return WaitForWindow(query, timeoutMs);
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3)
        return Usage();
    std::string command = argv[1];
    if (command == "wait" && argc >= 4) {
        WindowQuery query;
        query.caption = argv[3];
        query.className.clear();
        for (int i = 4; i < argc; ++i)
            query.controlIds.push_back(atoi(argv[i]));
        return WaitForWindow(query, static_cast<DWORD>(atol(argv[2]))) ? 0 : 1;
    }
    if ((command == "click" || command == "text") && argc == 4) {
        int id = atoi(argv[3]);
        HWND wnd = FindWithControl(argv[2], id, kDefaultTimeoutMs);
        if (wnd == nullptr)
            return 1;
        if (command == "text") {
            printf("%s\n", GetControlText(wnd, id).c_str());
            return 0;
        }
        return Click(wnd, id) ? 0 : 1;
    }
    if (command == "screenshot" && argc == 3)
        return SaveScreenshot(argv[2]) ? 0 : 1;
    if (command == "run" && argc >= 4) {
        std::string arguments;
        for (int i = 4; i < argc; ++i)
            arguments += std::string(i > 4 ? " " : "") + argv[i];
        CProcess process;
        if (!process.Launch(argv[3], arguments))
            return 1;
        DWORD code = 0;
        if (!process.Wait(static_cast<DWORD>(atol(argv[2])), &code)) {
            fprintf(stderr, "guidriver: %s did not end in time\n", argv[3]);
            return 1;
        }
        printf("exit code %lu\n", static_cast<unsigned long>(code));
        return 0;
    }
    return Usage();
}
