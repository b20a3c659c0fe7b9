#include "transfer/SetupPath.h"

#include "transfer/SetupPathPlatform.h"

using setup_path::DriveTypeOfIndex;

// ---------------------------------------------------------------------------------------------
// Disk space, from the platform's GetDiskFreeSpace (Drives_*.cpp)

uint32_t CSetupPath::FreeBytes() const {
    uint32_t spc, bps, fc, tc;
    if (!GetDiskFreeSpace(spc, bps, fc, tc))
        return 0;
    return fc * bps * spc;
}

uint32_t CSetupPath::ClusterBytes() const {
    uint32_t spc, bps, fc, tc;
    if (!GetDiskFreeSpace(spc, bps, fc, tc))
        return 0;
    return bps * spc;
}

// ---------------------------------------------------------------------------------------------
// CDriveIterator

bool CDriveIterator::Next() {
    for (int i = m_nIndex + 1; i <= 25; ++i) {
        if (DriveTypeOfIndex(i) != 0) {
            m_nIndex = i;
            return true;
        }
    }
    return false;
}

unsigned CDriveIterator::DriveType() const {
    return m_nIndex < 0 || m_nIndex > 25 ? 0 : DriveTypeOfIndex(m_nIndex);
}

std::string CDriveIterator::Letter() const {
    return std::string(1, static_cast<char>('A' + m_nIndex));
}

bool CDriveIterator::FindFirstOfType(unsigned type) {
    CDriveIterator copy(*this);
    while (copy.Next()) {
        if (copy.DriveType() == type) {
            m_nIndex = copy.m_nIndex;
            return true;
        }
    }
    return false;
}
