// The libraries a Win32 program names in its import tables (ordinary and delay-loaded),
// read from its file. Portable; every offset read from the file is checked.
#pragma once

#include <string>
#include <vector>

// The library names in file order, as written; empty when the file is not a program image
// or its tables cannot be read.
std::vector<std::string> ReadImportedLibraries(const std::string& path);
