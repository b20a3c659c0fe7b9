// The mkdisks command line: turns a product description into a diskette set.
//
//   mkdisks [--images] [-i INPUT_FOLDER] [-s SETUP_PROGRAM] DESCRIPTION OUTPUT_FOLDER
//
// Files named in the description are looked for in INPUT_FOLDER (default: the description's
// folder); -s names the setup program in place of the description's SetupProgram. Writes
// DISK01, DISK02, ... into OUTPUT_FOLDER and prints one line per diskette; --images also
// writes each diskette as the image of a standard diskette, DISK01.IMG, ... beside them. Returns
// the exit status: 0 success, 1 a description or an input that cannot be made into a set (one line
// on `err` saying why), 2 wrong usage.
#pragma once

#include <ostream>
#include <string>
#include <vector>

int RunMkdisks(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
