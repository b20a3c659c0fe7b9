// _kstinst.exe: the removal helper that setup starts after a successful uninstall.
#include "sample/kstinst/RemovalHelper.h"

#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int) {
    return RunRemovalHelper(commandLine ? commandLine : "", HelperSettings());
}
