// The stand-in for a program that writes its INI files while it is killed:
//   profile_writer FILE EVENT SECTIONS KEYS [rename]
// fills FILE with SECTIONS sections of KEYS keys each through the install log's own writer,
// sets the event, then until it is ended from outside either writes every value again the
// same way or, with "rename", adds lines to section "rename" as a replacement at the next
// start does (through the INI entry adder, as for wininit.ini).
#include "profile/IniEntryAdder.h"
#include "profile/ProfileLineBatch.h"

#include "framework/ui/Handle.h"

#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <string>

namespace {

void WriteAll(const CSetupPath& file, int sections, int keys, unsigned long round) {
    CProfileLineBatch batch(file);
    for (int s = 0; s < sections; ++s)
        for (int k = 0; k < keys; ++k)
            batch.Add("Group" + std::to_string(s), "file" + std::to_string(k) + ".dat",
                      "0|1|" + std::to_string(round));
    batch.Flush();
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 5)
        return 2;
    CSetupPath file(argv[1]);
    int sections = std::atoi(argv[3]);
    int keys = std::atoi(argv[4]);
    bool rename = argc > 5 && std::strcmp(argv[5], "rename") == 0;
    WriteAll(file, sections, keys, 0);
    CHandle ready(OpenEventA(EVENT_MODIFY_STATE, FALSE, argv[2]));
    SetEvent(ready.Get());
    for (unsigned long round = 1;; ++round) {
        if (rename)
            CIniEntryAdder(file).AddEntry("rename", "NUL",
                                          "C:\\TEMP\\" + std::to_string(round) + ".TMP");
        else
            WriteAll(file, sections, keys, round);
    }
}
