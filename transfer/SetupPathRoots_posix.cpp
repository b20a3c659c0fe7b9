#include "transfer/SetupPath.h"

#include "transfer/SetupPathPlatform.h"

#include <cstdlib>
#include <unistd.h>

namespace setup_path {

const char kSep = '/';

} // namespace setup_path

namespace {

std::string CurrentDirectory() {
    char buffer[kMaxPath + 1];
    if (!getcwd(buffer, sizeof buffer))
        return {};
    return buffer;
}

} // namespace

// ---------------------------------------------------------------------------------------------
// The root kinds: POSIX (no Windows or system directory)

CSetupPath::CSetupPath(int rootKind) {
    switch (rootKind) {
    case kRootCurrentDir:
        SetFolder(CurrentDirectory());
        break;
    case kRootSetupDir: {
        char buffer[kMaxPath];
        ssize_t n = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
        m_strText = n > 0 ? std::string(buffer, static_cast<size_t>(n)) : std::string();
        SetFileName("");
        break;
    }
    case kRootTempDir: {
        const char* tmp = getenv("TMPDIR");
        m_strText = std::string(tmp && *tmp ? tmp : "/tmp") + "/";
        break;
    }
    default:
        break;
    }
}
