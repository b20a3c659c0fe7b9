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

// The shared-use counts that removals have released, so that a removal run again over the same
// log (after a cancel, a kill or a power loss) lowers none of them a second time. One key per
// log line of a system-folder file, ReleasedCountKey: "<group key>|<file name>", the file name
// as the group's section has it; a file that two groups install has two lines, two counts and
// two keys. The value is "<count>|<done>": the count found just before it was lowered, and 0
// while the lowering is under way, 1 once it is done. An installation that counts the file
// again writes the key with an empty value: released no more. Installing reads nothing here.
constexpr char kReleasedCountSection[] = "ReleasedCounts";

std::string ReleasedCountKey(const std::string& group, const std::string& fileName);

struct ReleasedCount {
    bool bNoted = false; // a removal has begun to release this line's count
    bool bDone = false;  // ... and lowered it
    uint32_t nBefore = 0;
};

// What the log says about one line's count. A value that does not parse counts as noted
// and done: lowering a count twice loses another program's claim, once too few only leaves
// a count behind.
ReleasedCount ReadReleasedCount(const CSetupPath& log, const std::string& group,
                                const std::string& fileName);
// Writes the note through a copy of the log that then takes its place: it is on disk, and
// the log whole, before the caller goes on. False when it could not be written.
bool WriteReleasedCount(const CSetupPath& log, const std::string& group,
                        const std::string& fileName, const ReleasedCount& note);

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
