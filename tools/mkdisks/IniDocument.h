// CIniDocument: an INI file held in memory with its sections and keys in file order, for the
// authoring tools (the setup program itself reads INI files through the private-profile
// functions). Portable. Reading follows the private-profile rules that matter to a product
// description: "[name]" starts a section, "key=value" lines belong to the section above
// them, blanks around keys and values are dropped, lines starting with ";" are comments.
// Writing gives CR LF line ends, as the private-profile functions expect.
#pragma once

#include <string>
#include <utility>
#include <vector>

class CIniSection {
public:
    explicit CIniSection(std::string name) : m_strName(std::move(name)) {}

    // The first value of key (case-insensitive), or fallback.
    std::string Get(const std::string& key, const std::string& fallback = {}) const;
    bool Has(const std::string& key) const;
    // Replaces the first value of key, or appends the key.
    void Set(const std::string& key, const std::string& value);
    void Append(const std::string& key, const std::string& value);

    const std::string& Name() const { return m_strName; }
    const std::vector<std::pair<std::string, std::string>>& Entries() const { return m_entries; }

private:
    std::string m_strName;
    std::vector<std::pair<std::string, std::string>> m_entries;
};

class CIniDocument {
public:
    // Parses text; lines before the first section header are ignored.
    void Parse(const std::string& text);
    // Reads and parses a file; false when it cannot be read.
    bool Load(const std::string& path);
    // The text of the document, CR LF line ends, a blank line between sections.
    std::string Format() const;
    // Writes Format() to path; false on failure.
    bool Save(const std::string& path) const;

    // The section of that name (case-insensitive), or null.
    const CIniSection* Find(const std::string& name) const;
    // The section of that name, appended when missing.
    CIniSection& Section(const std::string& name);

    const std::vector<CIniSection>& Sections() const { return m_sections; }

private:
    std::vector<CIniSection> m_sections;
};

// ASCII case-insensitive equality.
bool IniNamesEqual(const std::string& a, const std::string& b);
