// Small text rules shared by the DDE client, the shortcuts, the registry entries and the
// component registration. Portable (tested natively); never throw except std::bad_alloc.
#pragma once

#include <string>
#include <vector>

// True when Windows would split the path at a blank or a tab when it runs it.
bool HasBlankOrTab(const std::string& path);

// The path as the first word of a command line: inside double quotes when it holds a blank
// or a tab (so "C:\Program Files\X\SETUP.EXE" is not run as C:\Program.exe), else unchanged.
// A path that already starts with a double quote is left as it is.
std::string QuoteCommandPath(const std::string& path);

// QuoteCommandPath(program), then one blank and the arguments when they are not empty.
std::string MakeCommandLine(const std::string& program, const std::string& arguments);

// Splits a "ProgramIconAppDir" File value: when it holds "/-", the arguments are the text from
// the "/-" to the end and the program is the text before it without the blanks that separate
// the two; otherwise the whole value is the program and the arguments are empty.
void SplitProgramAndSwitches(const std::string& value, std::string& program,
                             std::string& arguments);

// The pieces of text between carriage returns and line feeds, empty pieces skipped.
std::vector<std::string> SplitAtLineBreaks(const std::string& text);

// True when `name` can be used as one file or folder name below a known folder: not empty
// after blanks, no drive, no "." or ".." component, none of \ / : * ? " < > | and no control
// characters. With allowSubfolders, inner backslashes separating such names are accepted.
bool IsPlainRelativeName(const std::string& name, bool allowSubfolders);

// A directory path as a folder: a backslash is appended unless it already ends with one (or
// with a forward slash). An empty path stays empty.
std::string AsFolderText(const std::string& path);
