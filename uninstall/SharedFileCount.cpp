#include "uninstall/SharedFileCount.h"

#include "framework/CrashPoint.h"
#include "profile/InstallLog.h"
#include "system/RegistryDword.h"

uint32_t SharedFileCount(const CSetupPath& file) {
    CRegistryDword count(HKEY_LOCAL_MACHINE, kSharedDllsKey, file.GetText(), 0, false, false);
    return count.Read(0) ? count.GetValue() : 0;
}

uint32_t ReleaseSharedFile(const CSetupPath& file) {
    const std::string& name = file.GetText();
    CRegistryDword count(HKEY_LOCAL_MACHINE, kSharedDllsKey, name, 0, false, false);
    if (!count.Read(0))
        return 0;
    if (count.GetValue() > 1) {
        count.SetValue(count.GetValue() - 1);
        count.Write();
        return count.GetValue();
    }
    count.DeleteValue(name);
    return 0;
}

void ReleaseSharedFileOnce(const CSetupPath& file, const CSetupPath& log, const std::string& group,
                           const std::string& fileName) {
    ReleasedCount note = ReadReleasedCount(log, group, fileName);
    if (note.bDone)
        return;
    const uint32_t now = SharedFileCount(file);
    bool lower = true;
    if (note.bNoted) {
        // An earlier removal stopped after its first note: the count it found is still
        // there unless it was lowered.
        lower = now == note.nBefore;
    } else {
        note.bNoted = true;
        note.nBefore = now;
        if (!WriteReleasedCount(log, group, fileName, note))
            return;
    }
    if (lower) {
        ReleaseSharedFile(file);
        PassCrashPoint(CrashPoint::kCountReleased);
    }
    note.bDone = true;
    WriteReleasedCount(log, group, fileName, note);
}
