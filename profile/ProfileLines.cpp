#include "profile/ProfileLines.h"

#include "profile/ProfileFields.h"

#include <unordered_map>

namespace {

char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string FoldedKey(const std::string& key) {
    std::string folded = TrimBlanks(key);
    for (char& c : folded)
        c = Lower(c);
    return folded;
}

} // namespace

bool ProfileKeysEqual(const std::string& a, const std::string& b) {
    return FoldedKey(a) == FoldedKey(b);
}

std::vector<CProfileLine> ParseSectionText(const std::string& text) {
    std::vector<CProfileLine> lines;
    size_t at = 0;
    while (at < text.size() && text[at] != '\0') {
        size_t end = text.find('\0', at);
        if (end == std::string::npos)
            end = text.size();
        std::string line = text.substr(at, end - at);
        size_t equals = line.find('=');
        if (equals == std::string::npos)
            lines.emplace_back(TrimBlanks(line), std::string(), false);
        else
            lines.emplace_back(TrimBlanks(line.substr(0, equals)),
                               TrimBlanks(line.substr(equals + 1)));
        at = end + 1;
    }
    return lines;
}

std::vector<CProfileLine> MergeProfileLines(std::vector<CProfileLine> lines,
                                            const std::vector<CProfileLine>& writes) {
    // The first line of each key is the one a write changes; a map keeps the merge linear.
    std::unordered_map<std::string, size_t> firstLine;
    for (size_t i = 0; i < lines.size(); ++i)
        firstLine.emplace(FoldedKey(lines[i].m_strKey), i);
    for (const CProfileLine& write : writes) {
        std::string key = FoldedKey(write.m_strKey);
        auto found = firstLine.find(key);
        if (found != firstLine.end()) {
            lines[found->second].m_strValue = write.m_strValue;
            lines[found->second].m_bHasEquals = true;
            continue;
        }
        firstLine.emplace(key, lines.size());
        lines.emplace_back(TrimBlanks(write.m_strKey), write.m_strValue);
    }
    return lines;
}

std::string FormatSectionText(const std::vector<CProfileLine>& lines) {
    std::string text;
    for (const CProfileLine& line : lines) {
        // Nothing to write, and an empty string would end the list early.
        if (line.m_strKey.empty() && !line.m_bHasEquals)
            continue;
        text += line.m_strKey;
        if (line.m_bHasEquals) {
            text += '=';
            text += line.m_strValue;
        }
        text += '\0';
    }
    text += '\0';
    return text;
}

bool ProfileNamesEqual(const std::string& a, const std::string& b) {
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (Lower(a[i]) != Lower(b[i]))
            return false;
    }
    return true;
}
