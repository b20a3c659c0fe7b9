#include "transfer/SetupPath.h"

#include "transfer/SetupPathPlatform.h"

#include <windows.h>

// ---------------------------------------------------------------------------------------------
// Disk space and drive types: Win32

bool CSetupPath::GetDiskFreeSpace(uint32_t& sectorsPerCluster, uint32_t& bytesPerSector,
                                  uint32_t& freeClusters, uint32_t& totalClusters) const {
    CSetupPath root(*this);
    root.ToRoot();
    DWORD spc = 0, bps = 0, fc = 0, tc = 0;
    if (!::GetDiskFreeSpaceA(root.GetText().c_str(), &spc, &bps, &fc, &tc))
        return false;
    sectorsPerCluster = spc;
    bytesPerSector = bps;
    freeClusters = fc;
    totalClusters = tc;
    return true;
}

unsigned CSetupPath::DriveType() const {
    CSetupPath root(*this);
    root.ToRoot();
    return GetDriveTypeA(root.GetText().c_str());
}

namespace setup_path {

unsigned DriveTypeOfIndex(int index) {
    char root[4] = {static_cast<char>('a' + index), ':', '\\', 0};
    return GetDriveTypeA(root);
}

} // namespace setup_path
