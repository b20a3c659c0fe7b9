// The Program Manager DDE command strings, built into text before they are sent. Portable.
//
// A command is at most kDdeCommandBufferSize - 1 characters: one that would be longer is
// refused (false), never cut, because a cut command is a different command. Arguments are
// refused when they could end the command early or break its quoting: a "]" anywhere, a
// double quote inside a quoted field, or a control character.
#pragma once

#include <cstdarg>
#include <string>

constexpr size_t kDdeCommandBufferSize = 512; // including the terminating zero

// printf-style formatting; false (out unchanged) when the text would not fit the buffer.
bool FormatDdeCommand(std::string& out, const char* format, ...);
bool FormatDdeCommandV(std::string& out, const char* format, va_list args);

// "[CreateGroup ("name")]", or "[CreateGroup ("name", "groupFile")]" with a group file.
bool MakeCreateGroupCommand(std::string& out, const std::string& name,
                            const char* groupFile = nullptr);
// "[DeleteGroup("name")]"
bool MakeDeleteGroupCommand(std::string& out, const std::string& name);
// "[ReplaceItem (name)]" and "[DeleteItem (name)]": the name is not quoted.
bool MakeReplaceItemCommand(std::string& out, const std::string& name);
bool MakeDeleteItemCommand(std::string& out, const std::string& name);

// The nine-field "[AddItem (...)]". commandLine goes in unchanged; a null iconPath repeats
// the command line, a null workingDir and a hotKey of -1 leave their fields empty.
bool MakeAddItemCommand(std::string& out, const std::string& commandLine, const std::string& name,
                        const char* iconPath, int iconIndex, int x, int y, const char* workingDir,
                        int hotKey, bool minimize);
