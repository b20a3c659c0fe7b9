// Component registration over "REGISTER.INI" in the installation directory: the product's
// self-registering libraries ([AppDir], [WinDir], [SysDir]), extra program items for programs
// of the installation directory ([ProgramIconAppDir]) and programs started with Windows
// ([StartUp], the HKLM "Run" key). Uninstall runs the same list backwards. Win32 only.
// Nothing here throws or reports: a library that does not load, a missing entry point, a
// failing item or registry write is passed over and the run goes on. A library name that
// would leave its folder (a drive, "..", a leading backslash) is passed over too.
#pragma once

#include "transfer/SetupPath.h"

#include <string>

class CShortcutClient;

constexpr char kRunKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr char kRegisterIniName[] = "REGISTER.INI";

// install true: DllRegisterServer of every listed library (with the library's folder made
// current, the previous current directory restored afterwards), the program items created in
// `group`, the "Run" values written. install false: DllUnregisterServer, the items removed
// by title, the "Run" values deleted by name. Returns true.
bool RegisterComponents(const CSetupPath& installDir, const std::string& group, bool install);

// The same with a shortcut client chosen by the caller.
bool RegisterComponentsWith(CShortcutClient& client, const CSetupPath& installDir,
                            const std::string& group, bool install);
