// The wizard's page ids. A page's id is the id of its dialog template (res/DialogIds.h, which
// setup.rc shares). Install mode walks welcome, reading, conditions, destination, group, copy
// and register, and ends on restart, complete or failed; uninstall mode walks uninstall
// welcome, reading, remove files, unregister and removed.
#pragma once

#include "res/DialogIds.h"

constexpr int kWelcomePageId = IDD_WELCOME;
constexpr int kReadingPageId = IDD_READING;
constexpr int kConditionsPageId = IDD_CONDITIONS;
constexpr int kDestinationPageId = IDD_DESTINATION;
constexpr int kGroupPageId = IDD_GROUP;
constexpr int kCopyPageId = IDD_COPY;
constexpr int kRegisterPageId = IDD_REGISTER;
constexpr int kRestartPageId = IDD_RESTART;
constexpr int kCompletePageId = IDD_COMPLETE;
constexpr int kFailedPageId = IDD_FAILED;

constexpr int kUninstallWelcomePageId = IDD_UNINSTALL_WELCOME;
constexpr int kRemoveFilesPageId = IDD_REMOVE_FILES;
constexpr int kUnregisterPageId = IDD_UNREGISTER;
constexpr int kRemovedPageId = IDD_REMOVED;
