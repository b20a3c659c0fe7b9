// printf-style formatting into strings through a bounded 512-character buffer (longer
// results are cut, never overflow), and the string table.
#pragma once

#include <cstdarg>
#include <string>

constexpr size_t kFormatBufferSize = 512;

void FormatString(std::string& out, const char* format, ...);
void FormatStringV(std::string& out, const char* format, va_list args);
// Loads string `stringId` and formats it; false (out unchanged) when it does not exist.
bool FormatResource(std::string& out, unsigned stringId, ...);
bool FormatResourceV(std::string& out, unsigned stringId, va_list args);
// The string table entry, empty when it does not exist. On Win32 from the running module's
// resources; natively from the table the program compiles in (the product's is
// res/StringTable.cpp).
std::string LoadResourceString(unsigned stringId);
