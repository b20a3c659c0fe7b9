// The status report for systems management and the restart of Windows (Win32).
#pragma once

// Calls InstallStatusMIF of "ismif32.dll" with these values (loaded for the one call);
// false when the library or the function is missing or the report was not written.
bool WriteStatusMif(const char* statusFileName, const char* manufacturer, const char* product,
                    const char* version, const char* locale, const char* serialNumber,
                    const char* description, int success);

// Asks Windows to restart (enabling the shutdown privilege on Windows NT first); the result
// is ExitWindowsEx's, or 0 / the privilege error when the restart could not be asked for.
int RestartWindows();
