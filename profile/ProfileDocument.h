// CProfileDocument: the sections of a whole INI file held in memory in file order, with their
// key=value lines (CProfileLine), for the authoring tools, which read and write INI text
// themselves (setup goes through the private-profile functions). Portable; never throws
// except std::bad_alloc.
#pragma once

#include "profile/ProfileLines.h"

#include <string>
#include <utility>
#include <vector>

// One section of an INI file: its name and its key=value lines in file order.
struct CProfileSection {
    explicit CProfileSection(std::string name) : m_strName(std::move(name)) {}

    // The value of the first line of key (names compared as ProfileNamesEqual does), or
    // fallback.
    std::string Get(const std::string& key, const std::string& fallback = {}) const;
    bool Has(const std::string& key) const;
    void Append(const std::string& key, const std::string& value) {
        m_lines.emplace_back(key, value);
    }

    std::string m_strName;
    std::vector<CProfileLine> m_lines;
};

class CProfileDocument {
public:
    // Reads INI text as the private-profile functions do in what matters to a product
    // description: "[name]" starts a section (a second one of the same name goes on with the
    // first), "key=value" lines belong to the section above them, blanks (CR and LF included)
    // around names, keys and values are dropped. Lines starting with ";", lines without "="
    // and lines before the first section are left out.
    void Parse(const std::string& text);
    // The text of the document: CR LF line ends, a blank line between sections.
    std::string Format() const;

    // The section of that name (compared as ProfileNamesEqual does), or null.
    const CProfileSection* Find(const std::string& name) const;
    // The section of that name, appended when missing.
    CProfileSection& Section(const std::string& name);

    const std::vector<CProfileSection>& Sections() const { return m_sections; }

private:
    std::vector<CProfileSection> m_sections;
};
