// Adds one key=value line to a section of an INI file, even when the section already holds
// the key with another value (the "rename" section of wininit.ini has many "NUL" keys).
// The line goes at the end of the first section of that name, or into a new section at the
// end of the file; an identical line already there leaves the file byte for byte unchanged.
#pragma once

#include "profile/IniFilter.h"

#include <string>

class CIniEntryAdder : public CIniFilter {
public:
    explicit CIniEntryAdder(const CSetupPath& file) : CIniFilter(file) {}
    ~CIniEntryAdder() override = default;

    // Always 1. Throws CFileException when the temporary copy cannot be created; every other
    // failure is ignored.
    int AddEntry(const std::string& section, const std::string& key, const std::string& value);

    bool ProcessLine() override;
    void OnEnd() override;

private:
    std::string m_strTargetSection;
    std::string m_strCurrentSection; // section of the lines being read; "" before any header
    std::string m_strTargetKey;
    std::string m_strTargetValue;
    std::string m_strEntryLine;
};

// Line rules of the adder, exposed for its tests.
// A section header: trimmed, non-empty and starting with "["; the name is the text between
// the first and the last character.
bool ParseSectionHeader(const std::string& line, std::string& name);
// A key line holds "="; the key loses its leading, the value its trailing white space.
bool ParseKeyLine(const std::string& line, std::string& key, std::string& value);
// Case-insensitive comparison that folds ASCII letters only and leaves the trail bytes of
// double-byte characters alone.
bool EqualsNoCase(const std::string& a, const std::string& b);
