#include "app/CommandLine.h"

#include "framework/Exception.h"

#include <new>

CCommandLine::CCommandLine(const std::string& text, char switchChar) {
    std::string copy;
    try {
        copy = text;
    } catch (const std::bad_alloc&) {
        ThrowMemoryException();
    }
    int wordCount = 0;
    size_t pos = 0;
    while (pos < copy.size()) {
        size_t start = copy.find_first_not_of(' ', pos);
        if (start == std::string::npos)
            break;
        size_t end = copy.find(' ', start);
        if (end == std::string::npos)
            end = copy.size();
        AddWord(copy.substr(start, end - start), switchChar, wordCount);
        pos = end;
    }
}

void CCommandLine::AddWord(const std::string& word, char switchChar, int& wordCount) {
    if (word[0] != switchChar) {
        m_entries["#" + std::to_string(wordCount++)] = word;
        return;
    }
    if (word.size() == 1)
        return;
    size_t colon = word.find(':');
    if (colon != std::string::npos)
        m_entries[word.substr(1, colon - 1)] = word.substr(colon + 1);
    else
        m_entries[word.substr(1, 1)] = word.substr(2);
}

bool CCommandLine::HasSwitch(const std::string& key) const {
    return m_entries.find(key) != m_entries.end();
}

bool CCommandLine::GetSwitchValue(const std::string& key, std::string& value,
                                  const char* defaultValue) const {
    auto it = m_entries.find(key);
    if (it != m_entries.end()) {
        value = it->second;
        return true;
    }
    if (defaultValue)
        value = defaultValue;
    return false;
}
