#include "profile/InstallLog.h"

#include "framework/Format.h"
#include "profile/Destination.h"
#include "profile/FileGroup.h"
#include "profile/ProfileCopy.h"
#include "profile/ProfileFields.h"
#include "profile/ProfileValue.h"
#include "profile/ProgramItem.h"

#include <windows.h>

void WriteInstallLog(const CSetupPath& log, const CDestinationMap& destinations,
                     const CFileGroupMap& groups, const CProgramItemMap& items) {
    // The three sections go in together, through a copy that takes the log's place.
    CProfileCopy copy(log);
    destinations.SaveToProfile(copy.GetPath());
    groups.SaveToProfile(copy.GetPath());
    items.SaveToProfile(copy.GetPath());
    copy.Commit();
}

std::string ReleasedCountKey(const std::string& group, const std::string& fileName) {
    return group + "|" + fileName;
}

ReleasedCount ReadReleasedCount(const CSetupPath& log, const std::string& group,
                                const std::string& fileName) {
    CProfileValue value("", kReleasedCountSection, ReleasedCountKey(group, fileName), log, 0, 1);
    ReleasedCount note;
    const std::string text = TrimBlanks(value.GetValue());
    if (text.empty())
        return note;
    note.bNoted = true;
    std::vector<std::string> fields = SplitProfileFields(text);
    long long before = 0, done = 0;
    if (fields.size() != 2 || !ParseDecimalInRange(fields[0], 0, 0xffffffffLL, before) ||
        !ParseDecimalInRange(fields[1], 0, 1, done)) {
        note.bDone = true;
        return note;
    }
    note.nBefore = static_cast<uint32_t>(before);
    note.bDone = done != 0;
    return note;
}

bool WriteReleasedCount(const CSetupPath& log, const std::string& group,
                        const std::string& fileName, const ReleasedCount& note) {
    CProfileCopy copy(log);
    CProfileValue value("", kReleasedCountSection, ReleasedCountKey(group, fileName),
                        copy.GetPath(), 0, 0);
    std::string text;
    FormatString(text, "%lu|%d", static_cast<unsigned long>(note.nBefore), note.bDone ? 1 : 0);
    value.SetValue(text);
    return value.Write() && copy.Commit();
}

std::string FormatEventKey(const struct tm& localTime, uint32_t tickCount) {
    char clock[16] = {};
    strftime(clock, sizeof clock, "%H:%M:%S", &localTime);
    std::string key;
    FormatString(key, "%s:%04ld", clock, static_cast<long>(tickCount % 1000u));
    return key;
}

int LogEventV(const CSetupPath& log, const char* format, va_list args) {
    std::string text;
    FormatStringV(text, format, args);
    time_t now = time(nullptr);
    struct tm localTime = {};
    if (const struct tm* converted = localtime(&now))
        localTime = *converted;
    CProfileValue event("", kEventSection, "", CSetupPath(), 0, 1);
    CProfileCopy copy(log);
    event.SetFile(copy.GetPath());
    event.SetKey(FormatEventKey(localTime, GetTickCount()));
    event.SetValue(text);
    event.Write();
    copy.Commit();
    return static_cast<int>(text.size());
}

int LogEvent(const CSetupPath& log, const char* format, ...) {
    va_list args;
    va_start(args, format);
    int length = LogEventV(log, format, args);
    va_end(args);
    return length;
}
