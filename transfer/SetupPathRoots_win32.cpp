#include "transfer/SetupPath.h"

#include "transfer/SetupPathPlatform.h"

#include <direct.h>
#include <windows.h>

namespace setup_path {

const char kSep = '\\';

} // namespace setup_path

namespace {

std::string CurrentDirectory() {
    char buffer[kMaxPath + 1];
    if (!_getcwd(buffer, static_cast<int>(sizeof buffer)))
        return {};
    return buffer;
}

std::string FromBuffer(const char* buffer, DWORD length) {
    if (length == 0 || length >= kMaxPath)
        return {};
    return std::string(buffer, length);
}

} // namespace

// ---------------------------------------------------------------------------------------------
// The root kinds: Win32

CSetupPath::CSetupPath(int rootKind) {
    switch (rootKind) {
    case kRootCurrentDir:
        SetFolder(CurrentDirectory());
        break;
    case kRootWindowsDir: {
        char buffer[kMaxPath];
        SetFolder(FromBuffer(buffer, GetWindowsDirectoryA(buffer, kMaxPath)));
        break;
    }
    case kRootSystemDir: {
        char buffer[kMaxPath];
        SetFolder(FromBuffer(buffer, GetSystemDirectoryA(buffer, kMaxPath)));
        break;
    }
    case kRootSetupDir: {
        char buffer[kMaxPath];
        m_strText = FromBuffer(buffer, GetModuleFileNameA(nullptr, buffer, kMaxPath));
        SetFileName("");
        break;
    }
    case kRootTempDir: {
        char buffer[kMaxPath];
        m_strText = FromBuffer(buffer, GetTempPathA(kMaxPath, buffer));
        SetFileName("");
        break;
    }
    default:
        break;
    }
}
