// Key=value writes into one INI file, collected and written as one merge per section.
// Each write through WritePrivateProfileString rewrites the whole file, so a log line per
// installed file made the cost of an installation grow with the square of its file count.
// The file ends up exactly as the same writes one at a time would leave it. Win32 only.
#pragma once

#include "profile/ProfileLines.h"
#include "transfer/SetupPath.h"

#include <string>
#include <vector>

class CProfileLineBatch {
public:
    explicit CProfileLineBatch(const CSetupPath& file) : m_file(file) {}
    // Writes what is still pending.
    ~CProfileLineBatch();
    CProfileLineBatch(const CProfileLineBatch&) = delete;
    CProfileLineBatch& operator=(const CProfileLineBatch&) = delete;

    // Collects one write; nothing reaches the file before Flush.
    void Add(const std::string& section, const std::string& key, const std::string& value);
    // Writes the collected lines, one read and one write per section, into a copy of the file
    // that then takes its place (see CProfileCopy), and forgets them. Write failures are not
    // reported (as with WritePrivateProfileString). Never throws.
    void Flush() noexcept;
    bool IsEmpty() const { return m_sections.empty(); }

private:
    struct CSectionWrites {
        std::string m_strName;
        std::vector<CProfileLine> m_lines;
    };
    void WriteSections(const CSetupPath& file) noexcept;
    void FlushSection(const CSectionWrites& section, const std::string& file);

    CSetupPath m_file;
    std::vector<CSectionWrites> m_sections; // in the order of their first write
};
