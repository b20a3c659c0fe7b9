// CCommandLine: the switches and words of setup's command line. Portable.
//
// The text is split into words at blanks (a run of blanks is one separator; quotes mean
// nothing). A word that starts with the switch character is a switch: "/" alone is ignored;
// a word with a ':' is a named switch whose key is the text between the switch character
// and the first ':' and whose value is the rest ("/D:C:\APPS" gives "D" = "C:\APPS");
// otherwise the key is the one character after the switch character and the value the rest
// of the word ("/U" gives "U" = ""). Other words are stored as "#0", "#1", ... in order.
// Keys are case-sensitive; a later word with the same key replaces the earlier value.
#pragma once

#include <map>
#include <string>

class CCommandLine {
public:
    // Throws CMemoryException when the text cannot be copied for splitting.
    explicit CCommandLine(const std::string& text, char switchChar = '/');

    bool HasSwitch(const std::string& key) const;
    // True when the key is present (value receives its value). When absent, value receives
    // defaultValue if one is given and is otherwise left unchanged.
    bool GetSwitchValue(const std::string& key, std::string& value,
                        const char* defaultValue = nullptr) const;

    const std::map<std::string, std::string>& GetEntries() const { return m_entries; }

private:
    void AddWord(const std::string& word, char switchChar, int& wordCount);

    std::map<std::string, std::string> m_entries;
};
