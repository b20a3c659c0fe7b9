#include "profile/ProfileDocument.h"

#include <sstream>

namespace {

// Blanks around a line of INI text, line ends included.
std::string TrimmedLine(const std::string& text) {
    size_t first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos)
        return {};
    size_t last = text.find_last_not_of(" \t\r\n");
    return text.substr(first, last - first + 1);
}

} // namespace

std::string CProfileSection::Get(const std::string& key, const std::string& fallback) const {
    for (const CProfileLine& line : m_lines) {
        if (ProfileNamesEqual(line.m_strKey, key))
            return line.m_strValue;
    }
    return fallback;
}

bool CProfileSection::Has(const std::string& key) const {
    for (const CProfileLine& line : m_lines) {
        if (ProfileNamesEqual(line.m_strKey, key))
            return true;
    }
    return false;
}

void CProfileDocument::Parse(const std::string& text) {
    std::istringstream in(text);
    std::string line;
    CProfileSection* current = nullptr;
    while (std::getline(in, line)) {
        std::string trimmed = TrimmedLine(line);
        if (trimmed.empty() || trimmed[0] == ';')
            continue;
        if (trimmed[0] == '[') {
            size_t close = trimmed.find(']');
            std::string name =
                close == std::string::npos ? trimmed.substr(1) : trimmed.substr(1, close - 1);
            current = &Section(TrimmedLine(name));
            continue;
        }
        size_t equals = trimmed.find('=');
        if (current == nullptr || equals == std::string::npos)
            continue;
        current->Append(TrimmedLine(trimmed.substr(0, equals)),
                        TrimmedLine(trimmed.substr(equals + 1)));
    }
}

std::string CProfileDocument::Format() const {
    std::string text;
    for (const CProfileSection& section : m_sections) {
        if (!text.empty())
            text += "\r\n";
        text += "[" + section.m_strName + "]\r\n";
        for (const CProfileLine& line : section.m_lines)
            text += line.m_strKey + "=" + line.m_strValue + "\r\n";
    }
    return text;
}

const CProfileSection* CProfileDocument::Find(const std::string& name) const {
    for (const CProfileSection& section : m_sections) {
        if (ProfileNamesEqual(section.m_strName, name))
            return &section;
    }
    return nullptr;
}

CProfileSection& CProfileDocument::Section(const std::string& name) {
    for (CProfileSection& section : m_sections) {
        if (ProfileNamesEqual(section.m_strName, name))
            return section;
    }
    m_sections.emplace_back(name);
    return m_sections.back();
}
