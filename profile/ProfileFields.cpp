#include "profile/ProfileFields.h"

#include <cerrno>
#include <cstdlib>

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

} // namespace

int32_t ParseDecimal(const std::string& text) {
    size_t i = 0;
    while (i < text.size() && IsBlank(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    // Unsigned arithmetic: a number beyond 32 bits wraps instead of being undefined.
    uint32_t number = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
        number = number * 10u + static_cast<uint32_t>(text[i] - '0');
    if (negative)
        number = 0u - number;
    return static_cast<int32_t>(number);
}

bool ParseDecimalInRange(const std::string& text, long long low, long long high, long long& value) {
    if (text.empty())
        return false;
    errno = 0;
    char* end = nullptr;
    value = std::strtoll(text.c_str(), &end, 10);
    return errno == 0 && *end == '\0' && value >= low && value <= high;
}

int16_t LowShort(int32_t number) {
    return static_cast<int16_t>(static_cast<uint16_t>(static_cast<uint32_t>(number) & 0xFFFFu));
}

bool GetProfileField(std::string& out, const std::string& value, int index, char separator) {
    out.clear();
    if (index < 0)
        return false;
    size_t start = 0;
    for (int skipped = 0; skipped < index; ++skipped) {
        size_t next = value.find(separator, start);
        if (next == std::string::npos)
            return false;
        start = next + 1;
    }
    size_t end = value.find(separator, start);
    out = value.substr(start, end == std::string::npos ? std::string::npos : end - start);
    return true;
}

std::vector<std::string> SplitProfileFields(const std::string& value, char separator) {
    std::vector<std::string> fields;
    size_t start = 0;
    for (;;) {
        size_t end = value.find(separator, start);
        fields.push_back(
            value.substr(start, end == std::string::npos ? std::string::npos : end - start));
        if (end == std::string::npos)
            return fields;
        start = end + 1;
    }
}

std::string TrimBlanks(const std::string& text) {
    size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return {};
    size_t last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

bool GetProfileFieldInt(int32_t& out, const std::string& value, int index, char separator) {
    std::string field;
    if (!GetProfileField(field, value, index, separator))
        return false;
    out = ParseDecimal(field);
    return true;
}

bool GetProfileFieldShort(int16_t& out, const std::string& value, int index, char separator) {
    int32_t number = 0;
    if (!GetProfileFieldInt(number, value, index, separator))
        return false;
    out = LowShort(number);
    return true;
}

bool GetProfileFieldBool(int& out, const std::string& value, int index, char separator) {
    int32_t number = 0;
    if (!GetProfileFieldInt(number, value, index, separator))
        return false;
    out = number != 0 ? 1 : 0;
    return true;
}
