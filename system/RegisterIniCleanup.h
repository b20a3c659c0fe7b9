// The uninstall steps driven by "Register.ini" (delivered beside the setup program): data files
// the product created after installation ("DataFiles") and registry trees ("RegistryKeys").
// Win32 only. Nothing here throws; failures are skipped and the next entry is processed. A
// missing file simply has empty sections.
#pragma once

#include "transfer/SetupPath.h"

class CDestinationMap;

// "Register.ini" in the directory of the running setup program.
CSetupPath RegisterIniPath();

// Every value of [RegistryKeys], in file order: the key path is deleted with its whole tree
// under HKEY_CURRENT_USER, then under HKEY_LOCAL_MACHINE. Empty values are skipped (they would
// name the roots themselves).
void DeleteListedRegistryKeys(const CSetupPath& registerIni = RegisterIniPath());

// Every value of [DataFiles] is a file name pattern (wildcards allowed) applied in each
// destination directory with an id of 0 or more; every file it matches there is deleted,
// read-only ones included. Patterns that name another folder (a path separator, a drive, "..")
// are skipped, and so is a destination whose directory is the Windows, system or temporary
// directory.
void RemoveDataFiles(const CDestinationMap& destinations,
                     const CSetupPath& registerIni = RegisterIniPath());
