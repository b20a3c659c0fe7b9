#include "system/CommandText.h"

#include <cstring>

bool HasBlankOrTab(const std::string& path) {
    return path.find_first_of(" \t") != std::string::npos;
}

std::string QuoteCommandPath(const std::string& path) {
    if (!HasBlankOrTab(path) || (!path.empty() && path.front() == '"'))
        return path;
    return "\"" + path + "\"";
}

std::string MakeCommandLine(const std::string& program, const std::string& arguments) {
    std::string line = QuoteCommandPath(program);
    if (!arguments.empty())
        line += " " + arguments;
    return line;
}

void SplitProgramAndSwitches(const std::string& value, std::string& program,
                             std::string& arguments) {
    size_t pos = value.find("/-");
    if (pos == std::string::npos) {
        program = value;
        arguments.clear();
        return;
    }
    arguments = value.substr(pos);
    program = value.substr(0, pos);
    // Only the separating blanks go: a program name written right against the switch keeps
    // its last character.
    while (!program.empty() && (program.back() == ' ' || program.back() == '\t'))
        program.pop_back();
}

std::vector<std::string> SplitAtLineBreaks(const std::string& text) {
    std::vector<std::string> pieces;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find_first_of("\r\n", start);
        if (end == std::string::npos)
            end = text.size();
        if (end > start)
            pieces.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return pieces;
}

namespace {

bool IsPlainComponent(const std::string& part) {
    if (part.find_first_not_of(" \t") == std::string::npos)
        return false;
    if (part == "." || part == "..")
        return false;
    for (unsigned char c : part) {
        if (c < 0x20 || std::strchr("\\/:*?\"<>|", c))
            return false;
    }
    return true;
}

} // namespace

bool IsPlainRelativeName(const std::string& name, bool allowSubfolders) {
    if (!allowSubfolders)
        return IsPlainComponent(name);
    size_t start = 0;
    for (;;) {
        size_t end = name.find('\\', start);
        std::string part = name.substr(start, end == std::string::npos ? end : end - start);
        if (!IsPlainComponent(part))
            return false;
        if (end == std::string::npos)
            return true;
        start = end + 1;
    }
}

std::string AsFolderText(const std::string& path) {
    if (path.empty() || path.back() == '\\' || path.back() == '/')
        return path;
    return path + "\\";
}
