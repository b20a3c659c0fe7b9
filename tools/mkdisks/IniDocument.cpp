#include "tools/mkdisks/IniDocument.h"

#include <cctype>
#include <fstream>
#include <sstream>

namespace {

std::string Trim(const std::string& text) {
    size_t first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos)
        return {};
    size_t last = text.find_last_not_of(" \t\r\n");
    return text.substr(first, last - first + 1);
}

} // namespace

bool IniNamesEqual(const std::string& a, const std::string& b) {
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    }
    return true;
}

std::string CIniSection::Get(const std::string& key, const std::string& fallback) const {
    for (const auto& entry : m_entries) {
        if (IniNamesEqual(entry.first, key))
            return entry.second;
    }
    return fallback;
}

bool CIniSection::Has(const std::string& key) const {
    for (const auto& entry : m_entries) {
        if (IniNamesEqual(entry.first, key))
            return true;
    }
    return false;
}

void CIniSection::Set(const std::string& key, const std::string& value) {
    for (auto& entry : m_entries) {
        if (IniNamesEqual(entry.first, key)) {
            entry.second = value;
            return;
        }
    }
    Append(key, value);
}

void CIniSection::Append(const std::string& key, const std::string& value) {
    m_entries.emplace_back(key, value);
}

void CIniDocument::Parse(const std::string& text) {
    std::istringstream in(text);
    std::string line;
    CIniSection* current = nullptr;
    while (std::getline(in, line)) {
        std::string trimmed = Trim(line);
        if (trimmed.empty() || trimmed[0] == ';')
            continue;
        if (trimmed[0] == '[') {
            size_t close = trimmed.find(']');
            std::string name =
                close == std::string::npos ? trimmed.substr(1) : trimmed.substr(1, close - 1);
            current = &Section(Trim(name));
            continue;
        }
        size_t equals = trimmed.find('=');
        if (current == nullptr || equals == std::string::npos)
            continue;
        current->Append(Trim(trimmed.substr(0, equals)), Trim(trimmed.substr(equals + 1)));
    }
}

bool CIniDocument::Load(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    std::ostringstream text;
    text << in.rdbuf();
    Parse(text.str());
    return true;
}

std::string CIniDocument::Format() const {
    std::string text;
    for (const auto& section : m_sections) {
        if (!text.empty())
            text += "\r\n";
        text += "[" + section.Name() + "]\r\n";
        for (const auto& entry : section.Entries())
            text += entry.first + "=" + entry.second + "\r\n";
    }
    return text;
}

bool CIniDocument::Save(const std::string& path) const {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out)
        return false;
    std::string text = Format();
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    return static_cast<bool>(out.flush());
}

const CIniSection* CIniDocument::Find(const std::string& name) const {
    for (const auto& section : m_sections) {
        if (IniNamesEqual(section.Name(), name))
            return &section;
    }
    return nullptr;
}

CIniSection& CIniDocument::Section(const std::string& name) {
    for (auto& section : m_sections) {
        if (IniNamesEqual(section.Name(), name))
            return section;
    }
    m_sections.emplace_back(name);
    return m_sections.back();
}
