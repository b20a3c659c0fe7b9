// The mfarc command line: creates, lists, tests and extracts multi-file archives.
//
//   mfarc create [-m stored|deflate] [-d DESTID] [-s VOLUME_BYTES] ARCHIVE FILE...
//   mfarc list ARCHIVE
//   mfarc test ARCHIVE
//   mfarc extract ARCHIVE DIR
//
// Returns the exit status: 0 success, 1 a damaged or unreadable archive or input (one line
// on `err` naming the member, when there is one, and the error title), 2 wrong usage.
#pragma once

#include <ostream>
#include <string>
#include <vector>

int RunMfarc(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
