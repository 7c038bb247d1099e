#pragma once

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

namespace tonzug {

// The user's number format, as the locale of the environment gives it. A group separator
// of '\0' (or one equal to the decimal point) means the format has no grouping.
struct NumberFormat {
    char decimalPoint = '.';
    char groupSeparator = ',';
};

// The process-wide format used by TextToInt32 and TextToSingle.
NumberFormat UserNumberFormat();
void SetUserNumberFormat(NumberFormat format);
// Reads LC_NUMERIC of the environment (LC_ALL, LC_NUMERIC, LANG).
NumberFormat NumberFormatFromEnvironment();

// Reads a whole text as a number in the user's format: blanks around it, an optional
// sign, digits with group separators between them, an optional fraction and exponent
// ("e" or "d"), or a "&H"/"&O" number of up to 32 bits, which wraps into the signed
// 32-bit range ("&HFFFFFFFF" is -1). Empty on text that is no number or beyond the
// double range.
std::optional<double> ParseUserNumber(std::string_view text);

// Conversions of a field's text that fail on text which is no number or out of range.
// Ties round to even: "2.5" gives 2, "3.5" gives 4.
std::optional<std::int32_t> TextToInt32(std::string_view text);
std::optional<float> TextToSingle(std::string_view text);

// The leading-number rule: blanks, tabs and line feeds anywhere are ignored, "." is the
// only decimal point, the number ends at the first character that cannot continue it, and
// a text that does not start with a number gives 0 (so does one beyond the double range).
// "&H"/"&O" numbers up to 0xFFFF wrap into the 16-bit range ("&HFFFF" is -1), longer ones
// into the 32-bit range.
double LeadingNumber(std::string_view text);

// Ties to even; empty for NaN or a result outside the 32-bit (16-bit) range.
std::optional<std::int32_t> RoundToInt32(double value);
std::optional<std::int16_t> NarrowToInt16(std::int64_t value);

// Plain decimal text without grouping, "-" for negative values.
std::string IntegerText(std::int64_t value);

// The value of one hexadecimal digit in either case; -1 for any other character.
std::int32_t HexDigitValue(char c);

// The largest (smallest) value; a tie keeps the earlier one. An empty list gives 0.
double MaxOf(std::initializer_list<double> values);
double MinOf(std::initializer_list<double> values);

template <typename... Rest>
double MaxOf(double first, Rest... rest) {
    return MaxOf({first, static_cast<double>(rest)...});
}

template <typename... Rest>
double MinOf(double first, Rest... rest) {
    return MinOf({first, static_cast<double>(rest)...});
}

}  // namespace tonzug
