// Helpers of the Win32 test programs (under Wine, in a throwaway prefix): paths of the build
// tree as Windows paths, the Windows folders, INI values and registry entries read and
// written without the code under test (the registry owner only opens and closes the key).
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// "Z:\..." for a path of the machine that runs Wine ("/work/x" gives "Z:\work\x").
std::string HostPathToWindows(const std::string& hostPath);

std::string WindowsDirectoryPath(); // with a trailing backslash
std::string SystemDirectoryPath();  // with a trailing backslash

// The value of an INI key, "" when it is missing.
std::string IniValue(const std::string& file, const std::string& section, const std::string& key);
// The keys of an INI section, in the file's order.
std::vector<std::string> IniKeys(const std::string& file, const std::string& section);

// The text of a REG_SZ value, or "<missing>" when the key or value does not exist.
std::string RegistryText(HKEY root, const std::string& subkey, const std::string& name);
bool RegistryKeyExists(HKEY root, const std::string& subkey);
bool RegistryValueExists(HKEY root, const std::string& subkey, const std::string& name);
// A REG_DWORD value; 0 when the key or value does not exist or has another type.
DWORD RegistryNumber(HKEY root, const std::string& subkey, const std::string& name);
// Create the key (with missing parents) and set a REG_SZ or REG_DWORD value in it; false when
// either fails.
bool SetRegistryText(HKEY root, const std::string& subkey, const std::string& name,
                     const std::string& text);
bool SetRegistryNumber(HKEY root, const std::string& subkey, const std::string& name, DWORD number);
