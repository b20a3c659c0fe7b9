#include "transfer/SetupPath.h"

#include "transfer/SetupPathPlatform.h"

#include <string>
#include <sys/statvfs.h>

// ---------------------------------------------------------------------------------------------
// Disk space and drive types: POSIX (no drive types)

bool CSetupPath::GetDiskFreeSpace(uint32_t& sectorsPerCluster, uint32_t& bytesPerSector,
                                  uint32_t& freeClusters, uint32_t& totalClusters) const {
    std::string folder = Split().dir;
    struct statvfs vfs;
    if (statvfs(folder.empty() ? "." : folder.c_str(), &vfs) != 0)
        return false;
    auto clamp = [](unsigned long long v) {
        return static_cast<uint32_t>(v > 0xFFFFFFFFULL ? 0xFFFFFFFFULL : v);
    };
    sectorsPerCluster = 1;
    bytesPerSector = static_cast<uint32_t>(vfs.f_frsize);
    freeClusters = clamp(vfs.f_bavail);
    totalClusters = clamp(vfs.f_blocks);
    return true;
}

unsigned CSetupPath::DriveType() const {
    return 0;
}

namespace setup_path {

unsigned DriveTypeOfIndex(int index) {
    (void)index;
    return 0;
}

} // namespace setup_path
