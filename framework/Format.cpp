#include "framework/Format.h"

#include <cstdio>

#ifdef _WIN32
#include <windows.h>
#include <vector>
#endif

void FormatStringV(std::string& out, const char* format, va_list args) {
    char buffer[kFormatBufferSize];
    int n = vsnprintf(buffer, sizeof buffer, format, args);
    if (n < 0)
        buffer[0] = '\0';
    out = buffer; // cut at the buffer's end when longer
}

void FormatString(std::string& out, const char* format, ...) {
    va_list args;
    va_start(args, format);
    FormatStringV(out, format, args);
    va_end(args);
}

bool FormatResourceV(std::string& out, unsigned stringId, va_list args) {
    std::string format = LoadResourceString(stringId);
    if (format.empty())
        return false;
    FormatStringV(out, format.c_str(), args);
    return true;
}

bool FormatResource(std::string& out, unsigned stringId, ...) {
    va_list args;
    va_start(args, stringId);
    bool found = FormatResourceV(out, stringId, args);
    va_end(args);
    return found;
}

// Natively the program compiles its table in (the product: res/StringTable.cpp).
#ifdef _WIN32

std::string LoadResourceString(unsigned stringId) {
    HINSTANCE module = GetModuleHandleA(nullptr);
    for (int size = 256; size <= 8192; size *= 2) {
        std::vector<char> buffer(static_cast<size_t>(size));
        int n = LoadStringA(module, stringId, buffer.data(), size);
        if (n <= 0)
            return {};
        if (n < size - 1)
            return std::string(buffer.data(), static_cast<size_t>(n));
    }
    return {};
}

#endif
