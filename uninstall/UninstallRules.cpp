#include "uninstall/UninstallRules.h"

#include "system/CommandText.h"

#include <algorithm>
#include <cctype>

namespace {

bool IsSeparator(char c) {
    return c == '\\' || c == '/';
}

// The folder without trailing separators, for comparing and measuring.
std::string Trimmed(const std::string& folder) {
    std::string text = folder;
    while (text.size() > 1 && IsSeparator(text.back()))
        text.pop_back();
    return text;
}

size_t Depth(const std::string& folder) {
    return static_cast<size_t>(std::count_if(folder.begin(), folder.end(), IsSeparator));
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string TrimBlanks(const std::string& text) {
    size_t first = 0;
    size_t last = text.size();
    while (first < last && IsBlank(text[first]))
        ++first;
    while (last > first && IsBlank(text[last - 1]))
        --last;
    return text.substr(first, last - first);
}

// Position of word (which must start a word: at the start or after a blank), or npos.
size_t FindWordStart(const std::string& line, const std::string& word) {
    for (size_t pos = line.find(word); pos != std::string::npos; pos = line.find(word, pos + 1)) {
        if (pos == 0 || IsBlank(line[pos - 1]))
            return pos;
    }
    return std::string::npos;
}

} // namespace

bool EqualsIgnoringCase(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

bool IsKeptFileName(const std::string& fileName) {
    return EqualsIgnoringCase(fileName, "_rozirur.exe") ||
           EqualsIgnoringCase(fileName, kUninstallHelperName);
}

std::string LogKeyFileName(const std::string& key) {
    size_t cut = key.find_last_of("\\/:");
    std::string name = cut == std::string::npos ? key : key.substr(cut + 1);
    return IsPlainRelativeName(name, false) ? name : std::string();
}

std::vector<std::string> OrderFoldersForRemoval(const std::vector<std::string>& folders) {
    std::vector<std::string> ordered;
    for (const std::string& folder : folders) {
        if (folder.empty())
            continue;
        bool seen = std::any_of(ordered.begin(), ordered.end(), [&](const std::string& known) {
            return EqualsIgnoringCase(Trimmed(known), Trimmed(folder));
        });
        if (!seen)
            ordered.push_back(folder);
    }
    // A contained folder is always deeper than its container, whatever else holds.
    std::stable_sort(ordered.begin(), ordered.end(),
                     [](const std::string& a, const std::string& b) {
                         return Depth(Trimmed(a)) > Depth(Trimmed(b));
                     });
    return ordered;
}

std::string MakeUninstallHelperCommand(const std::string& helperPath,
                                       const std::string& setupProgramPath) {
    return QuoteCommandPath(helperPath) + " /U /PP:" + QuoteCommandPath(setupProgramPath);
}

std::string FindSetupProgramSwitch(const std::string& commandLine) {
    static const std::string kSwitch = "/PP:";
    size_t pos = FindWordStart(commandLine, kSwitch);
    if (pos == std::string::npos)
        return {};
    std::string value = TrimBlanks(commandLine.substr(pos + kSwitch.size()));
    if (!value.empty() && value.front() == '"') {
        size_t close = value.find('"', 1);
        value = value.substr(1, close == std::string::npos ? std::string::npos : close - 1);
    }
    return TrimBlanks(value);
}

bool HasUninstallSwitch(const std::string& commandLine) {
    size_t start = 0;
    while (start < commandLine.size()) {
        size_t end = start;
        while (end < commandLine.size() && !IsBlank(commandLine[end]))
            ++end;
        if (commandLine.compare(start, end - start, "/U") == 0)
            return true;
        start = end + 1;
    }
    return false;
}
