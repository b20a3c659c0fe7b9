// The text rules of the removal, shared by setup's uninstall mode and the removal helper
// "_kstinst.exe": which logged names stay, how a log key becomes a file name, in which order
// folders are removed, and the helper's command line. Portable; nothing here throws except
// std::bad_alloc.
#pragma once

#include <string>
#include <vector>

// The helper program in the system directory, started after a successful uninstall.
constexpr char kUninstallHelperName[] = "_kstinst.exe";

// True for the names the removal never deletes, wherever they are logged: "_rozirur.exe" and
// "_kstinst.exe", compared without regard to case.
bool IsKeptFileName(const std::string& fileName);

// The file name a key of the install log stands for. A key is meant to be a plain file name;
// only the part after the last backslash, slash or colon counts, so a damaged or tampered
// log cannot name a file outside the logged folders. Empty when no usable name remains
// ("", ".", "..", wildcards, control characters, ...).
std::string LogKeyFileName(const std::string& key);

// Folders (directory texts, with or without a trailing backslash) in the order in which
// empty ones are removed: a folder always comes before the folders that contain it, folders
// of equal depth keep their given order, and a folder given twice (ignoring case and the
// trailing backslash) is listed once. Empty texts are dropped.
std::vector<std::string> OrderFoldersForRemoval(const std::vector<std::string>& folders);

// The command line that starts the helper: its path, " /U /PP:" and the setup program's
// path. A path that holds a blank is put in double quotes so that neither Windows nor the
// helper splits it.
std::string MakeUninstallHelperCommand(const std::string& helperPath,
                                       const std::string& setupProgramPath);

// The helper's side of that command line. FindSetupProgramSwitch gives the text after
// "/PP:" up to the end of the line, trimmed and without enclosing double quotes (empty when
// the switch is absent or empty); HasUninstallSwitch is true when the word "/U" is present.
std::string FindSetupProgramSwitch(const std::string& commandLine);
bool HasUninstallSwitch(const std::string& commandLine);

// Compares two texts without regard to the case of ASCII letters.
bool EqualsIgnoringCase(const std::string& a, const std::string& b);
