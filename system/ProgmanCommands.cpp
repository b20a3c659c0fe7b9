#include "system/ProgmanCommands.h"

#include <cstdio>

namespace {

bool HasControlChar(const std::string& text) {
    for (unsigned char c : text) {
        if (c < 0x20)
            return true;
    }
    return false;
}

bool IsSafeUnquoted(const std::string& text) {
    return text.find(']') == std::string::npos && !HasControlChar(text);
}

bool IsSafeQuoted(const std::string& text) {
    return IsSafeUnquoted(text) && text.find('"') == std::string::npos;
}

} // namespace

bool FormatDdeCommandV(std::string& out, const char* format, va_list args) {
    char buffer[kDdeCommandBufferSize];
    int n = vsnprintf(buffer, sizeof buffer, format, args);
    if (n < 0 || static_cast<size_t>(n) >= sizeof buffer)
        return false;
    out.assign(buffer, static_cast<size_t>(n));
    return true;
}

bool FormatDdeCommand(std::string& out, const char* format, ...) {
    va_list args;
    va_start(args, format);
    bool ok = FormatDdeCommandV(out, format, args);
    va_end(args);
    return ok;
}

bool MakeCreateGroupCommand(std::string& out, const std::string& name, const char* groupFile) {
    if (!IsSafeQuoted(name))
        return false;
    if (!groupFile)
        return FormatDdeCommand(out, "[CreateGroup (\"%s\")]", name.c_str());
    if (!IsSafeQuoted(groupFile))
        return false;
    return FormatDdeCommand(out, "[CreateGroup (\"%s\", \"%s\")]", name.c_str(), groupFile);
}

bool MakeDeleteGroupCommand(std::string& out, const std::string& name) {
    if (!IsSafeQuoted(name))
        return false;
    return FormatDdeCommand(out, "[DeleteGroup(\"%s\")]", name.c_str());
}

bool MakeReplaceItemCommand(std::string& out, const std::string& name) {
    if (!IsSafeUnquoted(name))
        return false;
    return FormatDdeCommand(out, "[ReplaceItem (%s)]", name.c_str());
}

bool MakeDeleteItemCommand(std::string& out, const std::string& name) {
    if (!IsSafeUnquoted(name))
        return false;
    return FormatDdeCommand(out, "[DeleteItem (%s)]", name.c_str());
}

bool MakeAddItemCommand(std::string& out, const std::string& commandLine, const std::string& name,
                        const char* iconPath, int iconIndex, int x, int y, const char* workingDir,
                        int hotKey, bool minimize) {
    const std::string icon = iconPath ? iconPath : commandLine;
    const std::string folder = workingDir ? workingDir : "";
    if (!IsSafeUnquoted(commandLine) || !IsSafeQuoted(name) || !IsSafeUnquoted(icon) ||
        !IsSafeUnquoted(folder))
        return false;
    char key[16] = "";
    if (hotKey != -1)
        snprintf(key, sizeof key, "%d", hotKey);
    return FormatDdeCommand(out, "[AddItem (%s,\"%s\",%s,%d,%d,%d,%s,%s,%d)]", commandLine.c_str(),
                            name.c_str(), icon.c_str(), iconIndex, x, y, folder.c_str(), key,
                            minimize ? 1 : 0);
}
