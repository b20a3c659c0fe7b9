// Field helpers for profile record values: a value such as "SHIFT|-1|C:\SHIFT" holds fields
// separated by a separator character ("|" in every file setup reads). Portable; never throws.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

constexpr char kFieldSeparator = '|';

// Decimal conversion as the C library's atol does it: leading blanks skipped, an optional
// sign, then digits up to the first other character; 0 when there are none. Overlong
// numbers wrap modulo 2^32 instead of overflowing.
int32_t ParseDecimal(const std::string& text);

// Strict decimal conversion, for values that must be a number and nothing else: as strtoll
// reads it (leading blanks and a sign allowed), the whole text taken and the number within
// low..high. False for an empty text, other characters after the digits, or a number out of
// range.
bool ParseDecimalInRange(const std::string& text, long long low, long long high, long long& value);

// The low 16 bits of a number as a signed 16-bit id (70000 gives 4464, 65535 gives -1).
int16_t LowShort(int32_t number);

// Field number index (from 0) of value. False, with out emptied, when value holds fewer
// fields (or index is negative). Fields run to the next separator and are not trimmed.
bool GetProfileField(std::string& out, const std::string& value, int index,
                     char separator = kFieldSeparator);

// Every field of value, in order: one more than the separators in it (one empty field for an
// empty value). Fields are not trimmed.
std::vector<std::string> SplitProfileFields(const std::string& value,
                                            char separator = kFieldSeparator);

// text without the spaces and tabs around it.
std::string TrimBlanks(const std::string& text);

// The field converted with ParseDecimal. When the field is absent they return false and
// leave out unchanged; a field that is not a number gives 0 and true.
bool GetProfileFieldInt(int32_t& out, const std::string& value, int index,
                        char separator = kFieldSeparator);
// As GetProfileFieldInt, truncated to 16 bits (70000 gives 4464).
bool GetProfileFieldShort(int16_t& out, const std::string& value, int index,
                          char separator = kFieldSeparator);
// Stores 1 when the number is not 0, else 0.
bool GetProfileFieldBool(int& out, const std::string& value, int index,
                         char separator = kFieldSeparator);
