// CRegistryDword: one REG_DWORD value bound to its place; see CRegistryValue
// (RegistryValue.h). The shared-use counts of system files are kept in such values.
#pragma once

#include "system/RegistryValue.h"

#include <cstdint>

using CRegistryDword = CRegistryValue<uint32_t>;
