// The shared-use counts of files in the system directory: one REG_DWORD value per file, named
// by the file's full path, under HKEY_LOCAL_MACHINE "...\CurrentVersion\SharedDLLs". The copy
// engine raises a count each time it installs such a file; the removal lowers it instead of
// deleting the file. Win32 only; never throws except std::bad_alloc.
#pragma once

#include "transfer/SetupPath.h"

#include <cstdint>
#include <string>

constexpr char kSharedDllsKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\SharedDLLs";

// The file's count; 0 when it has none (or a value that is not a REG_DWORD).
uint32_t SharedFileCount(const CSetupPath& file);

// Lowers the file's count by one: a count above 1 is written back lowered; a count that
// reaches 0 has its value deleted. A missing count stays missing, and a value that is not a
// REG_DWORD is left alone. Never touches the file. Returns the count left (0 when none).
uint32_t ReleaseSharedFile(const CSetupPath& file);

// Lowers the count that the log line (group, fileName) of the install log stands for, once
// however often the removal runs over that log: the log notes the release (see
// kReleasedCountSection) before the count is lowered and again once it is, and a line
// noted as done is passed over. A removal stopped between the two notes finds the count as
// the first note found it when the lowering had not happened yet, and lowers it then. When
// the note cannot be written the count is left alone.
void ReleaseSharedFileOnce(const CSetupPath& file, const CSetupPath& log, const std::string& group,
                           const std::string& fileName);
