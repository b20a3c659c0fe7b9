// Key=value lines of one INI section, and how a set of writes merges into them the way the
// private-profile functions merge one write at a time: a key already in the section (compared
// without case, blanks around it ignored) gets its new value in place, a new key goes at the
// end, a later write of the same key wins. Portable; never throws except std::bad_alloc.
#pragma once

#include <string>
#include <utility>
#include <vector>

struct CProfileLine {
    CProfileLine(std::string key, std::string value, bool hasEquals = true)
        : m_strKey(std::move(key)), m_strValue(std::move(value)), m_bHasEquals(hasEquals) {}
    std::string m_strKey;
    std::string m_strValue;
    bool m_bHasEquals; // false for a line without "=", which is written back as it was
};

// Parses what GetPrivateProfileSection returns:, each ended by a zero,
// the list ended by a second zero (or by the end of the text). A string without "=" is kept
// as a key with an empty value; blanks around keys and values are removed.
std::vector<CProfileLine> ParseSectionText(const std::string& text);

// The section after writing every line of `writes`, in order, into `lines`.
std::vector<CProfileLine> MergeProfileLines(std::vector<CProfileLine> lines,
                                            const std::vector<CProfileLine>& writes);

// The text WritePrivateProfileSection takes: "key=value" strings (a key alone for a line that
// had no "="), each ended by a zero, and one more zero. A line with neither key nor "=" is
// left out.
std::string FormatSectionText(const std::vector<CProfileLine>& lines);

// True when the two keys name the same profile key (ASCII letters compared without case).
bool ProfileKeysEqual(const std::string& a, const std::string& b);

// True when the two names are the same with ASCII letters compared without case; unlike
// ProfileKeysEqual, blanks count.
bool ProfileNamesEqual(const std::string& a, const std::string& b);
