#include "profile/IniEntryAdder.h"

#ifdef _WIN32
#include <windows.h>
#else
// Elsewhere (the fuzzing build) text is single-byte.
static bool IsDBCSLeadByte(unsigned char) {
    return false;
}
using BYTE = unsigned char;
#endif

namespace {

bool IsIniBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

std::string TrimLeft(const std::string& text) {
    size_t start = 0;
    while (start < text.size() && IsIniBlank(text[start]))
        ++start;
    return text.substr(start);
}

std::string TrimRight(const std::string& text) {
    size_t end = text.size();
    while (end > 0 && IsIniBlank(text[end - 1]))
        --end;
    return text.substr(0, end);
}

char FoldAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

} // namespace

bool EqualsNoCase(const std::string& a, const std::string& b) {
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (IsDBCSLeadByte(static_cast<BYTE>(a[i])) && i + 1 < a.size()) {
            if (a[i] != b[i] || a[i + 1] != b[i + 1])
                return false;
            ++i;
        } else if (FoldAscii(a[i]) != FoldAscii(b[i])) {
            return false;
        }
    }
    return true;
}

bool ParseSectionHeader(const std::string& line, std::string& name) {
    std::string trimmed = TrimRight(TrimLeft(line));
    if (trimmed.empty() || trimmed[0] != '[')
        return false;
    // The last character goes whatever it is: a missing "]" costs the name's last letter.
    name = trimmed.size() > 1 ? trimmed.substr(1, trimmed.size() - 2) : std::string();
    return true;
}

bool ParseKeyLine(const std::string& line, std::string& key, std::string& value) {
    size_t equals = line.find('=');
    if (equals == std::string::npos)
        return false;
    key = TrimLeft(line.substr(0, equals));
    value = TrimRight(line.substr(equals + 1));
    return true;
}

int CIniEntryAdder::AddEntry(const std::string& section, const std::string& key,
                             const std::string& value) {
    m_strTargetSection = section;
    m_strTargetKey = key;
    m_strTargetValue = value;
    // Built by joining rather than through a fixed buffer: two long paths must not be cut.
    m_strEntryLine = key + "=" + value + "\n";
    OpenPass();
    Run();
    return 1;
}

bool CIniEntryAdder::ProcessLine() {
    bool inTarget = EqualsNoCase(m_strTargetSection, m_strCurrentSection);
    std::string name;
    if (ParseSectionHeader(m_strLine, name)) {
        if (inTarget) {
            WriteText(m_strEntryLine);
            m_bDone = 1;
        } else {
            m_strCurrentSection = name;
        }
        return true;
    }
    std::string lineKey, lineValue;
    if (inTarget && m_bLineEnd && ParseKeyLine(m_strLine, lineKey, lineValue) &&
        EqualsNoCase(lineKey, m_strTargetKey) && EqualsNoCase(lineValue, m_strTargetValue))
        m_bStop = 1;
    return true;
}

void CIniEntryAdder::OnEnd() {
    if (m_bDone)
        return;
    if (!EqualsNoCase(m_strCurrentSection, m_strTargetSection))
        WriteText("[" + m_strTargetSection + "]\n");
    WriteText(m_strEntryLine);
}
