#include "profile/ProfileCopy.h"

#include "framework/CrashPoint.h"

#include <windows.h>

namespace {

constexpr int kCopyNameTries = 1000;

} // namespace

CProfileCopy::CProfileCopy(const CSetupPath& file) : m_file(file), m_copy(file) {
    PassCrashPoint(CrashPoint::kProfileWrite);
    if (!m_copy.MakeUniqueFile(kCopyNameTries))
        return;
    m_bHasCopy = true;
    // The copy was claimed empty; a missing file stays a missing file's content.
    if (m_file.NameTaken() &&
        !CopyFileA(m_file.GetText().c_str(), m_copy.GetText().c_str(), FALSE)) {
        m_copy.Delete(true);
        m_bHasCopy = false;
    }
}

CProfileCopy::~CProfileCopy() {
    if (m_bHasCopy)
        m_copy.Delete(true);
}

bool CProfileCopy::Commit() {
    if (!m_bHasCopy)
        return true;
    // A system that keeps profile files in memory writes them out now.
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, m_copy.GetText().c_str());
    PassCrashPoint(CrashPoint::kProfileCopyMade);
    bool moved = m_copy.MoveOver(m_file);
    // Should the file be gone after a failure (the system without a one-step move moves it
    // aside first and could not move it back), the copy, which holds everything, is kept.
    if (moved || !m_file.NameTaken())
        m_bHasCopy = false;
    if (moved)
        PassCrashPoint(CrashPoint::kProfileReplaced);
    return moved;
}
