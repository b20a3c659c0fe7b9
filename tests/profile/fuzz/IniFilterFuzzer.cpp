// Fuzz target for the INI line filter, through the entry adder that rewrites wininit.ini.
// The input holds the section, key and value to add (each ended by a newline) and then the
// file as it was. Adding must not crash on any file, and adding the same entry a second time
// must leave the file byte for byte as the first time did.
#include "FuzzCheck.h"
#include "TestFiles.h"

#include "profile/IniEntryAdder.h"

#include <cstdint>
#include <string>

namespace {

// The next newline-ended part, kept to what an entry can be: printable, no "=", brackets or
// blanks at the ends (a key or value the filter cannot find again would be added twice).
std::string TakePart(const std::string& input, size_t& at, size_t limit) {
    size_t end = input.find('\n', at);
    if (end == std::string::npos)
        end = input.size();
    std::string part;
    for (size_t i = at; i < end && part.size() < limit; ++i) {
        char c = input[i];
        if (c > ' ' && c < 127 && c != '=' && c != '[' && c != ']' && c != ';')
            part += c;
    }
    at = end < input.size() ? end + 1 : end;
    return part.empty() ? "x" : part;
}

std::string Lower(std::string text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return text;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > 8192)
        return 0;
    // A folder of this process's own, removed at exit.
    static const CScratchFolder folder;
    std::string input(reinterpret_cast<const char*>(data), size);
    size_t at = 0;
    std::string section = TakePart(input, at, 40);
    std::string key = TakePart(input, at, 200);
    std::string value = TakePart(input, at, 200);
    const std::string file = folder.Path("wininit.ini");
    WriteFileBytes(file, input.substr(at));
    CIniEntryAdder(CSetupPath(file)).AddEntry(section, key, value);
    std::string once = ReadFileBytes(file);
    // The entry is there now (a line that only differs in case counts as the same).
    FUZZ_CHECK(Lower(once).find(Lower(key + "=" + value)) != std::string::npos);
    CIniEntryAdder(CSetupPath(file)).AddEntry(section, key, value);
    FUZZ_CHECK(ReadFileBytes(file) == once);
    return 0;
}
