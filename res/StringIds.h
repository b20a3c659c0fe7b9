// The string table's ids by name, from strings.def: the code names every text it shows
// through these.
#pragma once

enum StringId : unsigned {
#define SHIFTWELL_STRING(name, id, text) name = id,
#include "res/strings.def"
#undef SHIFTWELL_STRING
};
