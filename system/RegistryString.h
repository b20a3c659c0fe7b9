// CRegistryString: one REG_SZ value bound to its place; see CRegistryValue (RegistryValue.h).
#pragma once

#include "system/RegistryValue.h"

#include <string>

using CRegistryString = CRegistryValue<std::string>;
