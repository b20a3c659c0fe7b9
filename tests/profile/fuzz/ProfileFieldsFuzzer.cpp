// Fuzz target for the profile field helpers and the section-line merge. The first byte picks
// the field index (and the separator); the rest is the record value, and also the text a
// section reader could return. The helpers must agree with each other on every input.
#include "FuzzCheck.h"

#include "profile/ProfileFields.h"
#include "profile/ProfileLines.h"

#include <cstdint>
#include <string>

namespace {

void CheckFields(const std::string& value, int index, char separator) {
    std::string field = "unchanged";
    bool has = GetProfileField(field, value, index, separator);
    if (!has) {
        FUZZ_CHECK(field.empty());
    } else {
        FUZZ_CHECK(field.find(separator) == std::string::npos);
        FUZZ_CHECK(value.find(field) != std::string::npos);
    }
    int32_t number = 12345;
    FUZZ_CHECK(GetProfileFieldInt(number, value, index, separator) == has);
    FUZZ_CHECK(number == (has ? ParseDecimal(field) : 12345));
    int16_t shortNumber = 321;
    FUZZ_CHECK(GetProfileFieldShort(shortNumber, value, index, separator) == has);
    FUZZ_CHECK(shortNumber == (has ? LowShort(ParseDecimal(field)) : 321));
    int flag = 7;
    FUZZ_CHECK(GetProfileFieldBool(flag, value, index, separator) == has);
    FUZZ_CHECK(flag == (has ? (ParseDecimal(field) != 0 ? 1 : 0) : 7));
}

void CheckSectionLines(const std::string& text) {
    std::vector<CProfileLine> lines = ParseSectionText(text);
    // What is written back reads back the same, but for lines that hold nothing at all.
    std::vector<CProfileLine> kept;
    for (const CProfileLine& line : lines)
        if (!line.m_strKey.empty() || line.m_bHasEquals)
            kept.push_back(line);
    std::vector<CProfileLine> again = ParseSectionText(FormatSectionText(lines));
    FUZZ_CHECK(again.size() == kept.size());
    for (size_t i = 0; i < again.size(); ++i) {
        FUZZ_CHECK(again[i].m_strKey == kept[i].m_strKey);
        FUZZ_CHECK(again[i].m_strValue == kept[i].m_strValue);
        FUZZ_CHECK(again[i].m_bHasEquals == kept[i].m_bHasEquals);
    }
    // Writing a section's own lines into it changes no line count, and every key it wrote
    // then holds the value of its last write.
    std::vector<CProfileLine> merged = MergeProfileLines(lines, lines);
    FUZZ_CHECK(merged.size() == lines.size());
    std::vector<CProfileLine> added = MergeProfileLines({}, lines);
    FUZZ_CHECK(added.size() <= lines.size());
    for (const CProfileLine& write : lines) {
        std::string last;
        for (const CProfileLine& later : lines)
            if (ProfileKeysEqual(later.m_strKey, write.m_strKey))
                last = later.m_strValue;
        size_t holders = 0;
        for (const CProfileLine& line : added)
            if (ProfileKeysEqual(line.m_strKey, write.m_strKey)) {
                ++holders;
                FUZZ_CHECK(line.m_strValue == last);
            }
        FUZZ_CHECK(holders == 1);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0 || size > 4096)
        return 0;
    int index = static_cast<int>(data[0] & 0x0F) - 1; // -1 .. 14
    char separator = (data[0] & 0x80) ? ',' : '|';
    std::string value(reinterpret_cast<const char*>(data + 1), size - 1);
    CheckFields(value, index, separator);
    ParseDecimal(value);
    CheckSectionLines(value);
    return 0;
}
