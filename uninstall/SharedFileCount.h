// The shared-use counts of files in the system directory: one REG_DWORD value per file, named
// by the file's full path, under HKEY_LOCAL_MACHINE "...\CurrentVersion\SharedDLLs". The copy
// engine raises a count each time it installs such a file; the removal lowers it instead of
// deleting the file. Win32 only; never throws.
#pragma once

#include "transfer/SetupPath.h"

#include <cstdint>

constexpr char kSharedDllsKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\SharedDLLs";

// Lowers the file's count by one: a count above 1 is written back lowered; a count that
// reaches 0 has its value deleted. A missing count stays missing, and a value that is not a
// REG_DWORD is left alone. Never touches the file. Returns the count left (0 when none).
uint32_t ReleaseSharedFile(const CSetupPath& file);
