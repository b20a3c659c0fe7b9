// The string table of the native build, where there are no Windows resources: the texts of
// strings.def, looked up by LoadResourceString. Natively compiled into framework_core (see
// CMakeLists.txt), beside the formatting that loads strings.
#include "framework/Format.h"

#include <unordered_map>

namespace {
const std::unordered_map<unsigned, const char*>& StringTable() {
    static const std::unordered_map<unsigned, const char*> table = {
#define SHIFTWELL_STRING(name, id, text) {id, text},
#include "res/strings.def"
#undef SHIFTWELL_STRING
    };
    return table;
}
} // namespace

std::string LoadResourceString(unsigned stringId) {
    auto it = StringTable().find(stringId);
    return it == StringTable().end() ? std::string() : std::string(it->second);
}
