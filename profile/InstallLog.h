// The install log "shift.log" in the Windows directory: what an installation did, so that
// uninstall can undo it. Written only through WritePrivateProfileString, so every write
// merges into what the file already holds; each write goes to a copy that then takes the
// log's place (CProfileCopy), so a power loss never leaves the log cut short. Nothing here
// throws except std::bad_alloc.
#pragma once

#include "transfer/SetupPath.h"

#include <cstdarg>
#include <cstdint>
#include <ctime>
#include <string>

class CDestinationMap;
class CFileGroupMap;
class CProgramItemMap;

constexpr char kEventSection[] = "Events";

// Writes "destinations", "groups" and "targets" of the model into the log.
void WriteInstallLog(const CSetupPath& log, const CDestinationMap& destinations,
                     const CFileGroupMap& groups, const CProgramItemMap& items);

// The key of an event: the local time as "%H:%M:%S", then ":" and the tick count modulo
// 1000 in four digits ("09:05:07:0789"). The last group is no clock reading.
std::string FormatEventKey(const struct tm& localTime, uint32_t tickCount);

// Formats the event text printf-style (cut to 511 characters) and writes it into section
// "Events" of the log under the key of the current time. Returns the text's length.
int LogEvent(const CSetupPath& log, const char* format, ...);
int LogEventV(const CSetupPath& log, const char* format, va_list args);
