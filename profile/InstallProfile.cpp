#include "profile/InstallProfile.h"

#include "profile/Destination.h"
#include "profile/DisketteArray.h"
#include "profile/FileGroup.h"
#include "profile/ProfileCopy.h"
#include "profile/ProfileKeyList.h"
#include "profile/ProgramItem.h"
#include "transfer/InstallPlan.h"

namespace {

const char kGroupSection[] = "GroupCreated";

void Pump(const std::function<void()>& pumpMessages) {
    if (pumpMessages)
        pumpMessages();
}

} // namespace

CSetupPath SetupIniPath(const std::string& folder) {
    CSetupPath path;
    path.SetFolder(folder);
    path.SetFileName("SETUP.INI");
    return path;
}

bool ReadRecordedGroupName(const std::string& folder, std::string& groupName) {
    if (folder.empty())
        return false;
    CProfileKeyList keys(kGroupSection);
    keys.SetFile(SetupIniPath(folder));
    CProfileValue value;
    if (!keys.First(value))
        return false;
    // An empty record would make the removal work on the Programs folder itself.
    if (!value.Read())
        return false;
    groupName = value.GetValue();
    return true;
}

bool WriteRecordedGroupName(const std::string& folder, const std::string& groupName) {
    CProfileCopy copy(SetupIniPath(folder));
    CProfileValue value("", kGroupSection, "Data0", copy.GetPath(), 0, 0);
    value.SetValue(groupName);
    bool written = value.Write();
    return copy.Commit() && written;
}

void LoadInstallProfile(const CSetupPath& profile, const CInstallModel& model,
                        std::string* groupName, const std::function<void()>& pumpMessages) {
    model.destinations.LoadFromProfile(profile);
    Pump(pumpMessages);
    model.groups.LoadFromProfile(profile);
    Pump(pumpMessages);
    model.items.LoadFromProfile(profile);
    Pump(pumpMessages);
    model.fileLists.LoadFileLists(profile, model.groups);
    Pump(pumpMessages);
    model.diskettes.LoadFromProfile(profile);
    Pump(pumpMessages);
    if (groupName)
        ReadRecordedGroupName(model.destinations.GetPath(kDestInstall), *groupName);
}
