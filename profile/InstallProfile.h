// Loading the install model from the setup profile (or, when uninstalling, from the install
// log written by the installation).
#pragma once

#include "transfer/SetupPath.h"

#include <functional>
#include <string>

class CDestinationMap;
class CFileGroupMap;
class CProgramItemMap;
class CInstallPlan;
class CDisketteArray;

// The application's collections, not owned.
struct CInstallModel {
    CDestinationMap& destinations;
    CFileGroupMap& groups;
    CProgramItemMap& items;
    CInstallPlan& fileLists;
    CDisketteArray& diskettes;
};

// Loads "destinations", "groups", "targets", the file list of every group and "diskettes"
// from profile, calling pumpMessages after each step. When groupName is given (uninstall
// mode) it then receives the group name recorded in "SETUP.INI" in the install directory,
// if there is one. Throws CInstallProfileException cause 0 when "destinations" is missing or
// empty; the other sections may be missing.
void LoadInstallProfile(const CSetupPath& profile, const CInstallModel& model,
                        std::string* groupName, const std::function<void()>& pumpMessages);

// "SETUP.INI" in folder: where the group that received the program items is recorded.
CSetupPath SetupIniPath(const std::string& folder);
// The value of the first key of section "GroupCreated" of "SETUP.INI" in folder; false (and
// groupName unchanged) when the file, the section or a non-empty value is missing.
bool ReadRecordedGroupName(const std::string& folder, std::string& groupName);
// Records groupName as "GroupCreated", "Data0" in "SETUP.INI" in folder, through a copy
// that then takes the file's place (CProfileCopy). True when both steps succeeded.
bool WriteRecordedGroupName(const std::string& folder, const std::string& groupName);
