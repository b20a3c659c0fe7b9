#include "transfer/ReplaceAtRestart.h"

#include "framework/Exception.h"
#include "framework/WindowsFamily.h"
#include "profile/IniEntryAdder.h"
#include "transfer/SetupPath.h"

#include <windows.h>

#include <vector>

namespace {

int WINAPI_MoveFileEx(const char* source, const char* destination, unsigned flags) {
    return MoveFileExA(source, destination, flags);
}

DelayedMoveFunction g_delayedMove = WINAPI_MoveFileEx;

} // namespace

DelayedMoveFunction SetDelayedMoveFunction(DelayedMoveFunction function) {
    DelayedMoveFunction previous = g_delayedMove;
    g_delayedMove = function ? function : WINAPI_MoveFileEx;
    return previous;
}

std::string ShortFormOf(const std::string& path) {
    DWORD size = GetShortPathNameA(path.c_str(), nullptr, 0);
    if (size == 0)
        return path;
    std::vector<char> buffer(size + 1, '\0');
    DWORD length = GetShortPathNameA(path.c_str(), buffer.data(), size + 1);
    if (length == 0 || length > size)
        return path;
    return std::string(buffer.data(), length);
}

bool ReplaceAtRestart(const std::string& sourcePath, const std::string& destinationPath) {
    // Only the 95 family reads wininit.ini; on NT a line there would promise a replacement
    // that never happens.
    if (IsWindows95Family()) {
        CSetupPath wininit(static_cast<int>(kRootWindowsDir));
        wininit.SetFileName("wininit.ini");
        CIniEntryAdder adder(wininit);
        adder.AddEntry("rename", ShortFormOf(destinationPath), ShortFormOf(sourcePath));
        return true;
    }
    // The destination exists (it is the copy in use): without MOVEFILE_REPLACE_EXISTING the
    // system would refuse the move at the next start.
    if (!g_delayedMove(sourcePath.c_str(), destinationPath.c_str(),
                       MOVEFILE_DELAY_UNTIL_REBOOT | MOVEFILE_REPLACE_EXISTING))
        CFileException::ThrowOsError(static_cast<long>(GetLastError()), destinationPath);
    return true;
}
