// The registry entries setup makes for the installed product (its "App Paths" and
// "Uninstall" entries) and the recursive key deletion. Win32 only. Nothing here throws; the
// entries are written and removed on a best-effort basis and callers ignore the results.
#pragma once

#include "transfer/SetupPath.h"

#include <windows.h>

#include <string>

constexpr char kAppPathsKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths";
constexpr char kUninstallKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall";

// Deletes root\subkey with everything below it. False when the key cannot be opened (then
// nothing is deleted) or when some part of the tree could not be deleted. An empty subkey
// (which would name the root itself) is refused.
bool DeleteRegistryTree(HKEY root, const std::string& subkey);

// HKLM "App Paths\<file name>": default value = the program's full path, "Path" = its folder.
// A path without a file name, or an empty entry name below, is refused: it would name the
// "App Paths" or "Uninstall" key itself.
bool WriteAppPath(const CSetupPath& programPath);
void RemoveAppPath(const CSetupPath& programPath);

// The command stored as "UninstallString": the setup program's path (quoted when it holds a
// blank) followed by " /U".
std::string MakeUninstallCommand(const CSetupPath& setupProgram);

// HKLM "Uninstall\<entryName>" with "DisplayName" and "UninstallString"; existing values are
// overwritten.
void WriteUninstallEntry(const std::string& uninstallCommand, const std::string& entryName,
                         const std::string& displayName);
// Deletes the entry's key with its values (it must have no subkeys).
void RemoveUninstallEntry(const std::string& entryName);
