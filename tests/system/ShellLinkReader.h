// Reads back what a shortcut file holds, through the shell's own link object.
#pragma once

#include <string>

struct ShellLinkContents {
    bool loaded = false;
    std::string path, arguments, description, workingDir, iconPath;
    int iconIndex = 0;
    int showCommand = 0;
};

ShellLinkContents ReadShellLink(const std::string& file);
