#pragma once

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tonzug {

enum class CompareMode { kExact, kIgnoreCase };

// Key filter of the numeric fields: digits, "+", "-", Backspace, Tab, Enter and the
// clipboard keys Ctrl+C, Ctrl+V, Ctrl+X pass. Any other code is set to 0 (the field drops
// the key). True when the key passes.
bool FilterNumericKey(std::int16_t& key);

// Text pasted or dropped into a numeric field, cleaned as typing it would have been: the
// characters the key filter refuses are dropped ("1920px" gives "1920", "50 %" gives "50")
// and a decimal fraction ends the number ("12.5" gives "12", not "125"). Empty when no
// digit is left: such a text is refused and the field keeps what it had.
std::optional<std::string> NumericFieldText(std::string_view text);

// The value of one hexadecimal digit in either case; 0 for any other character.
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

// Equality of two texts, ignoring ASCII case when asked.
bool TextEquals(std::string_view left, std::string_view right, CompareMode mode);

// Replaces every occurrence of find; an inserted replacement is not searched again. Returns
// the number of replacements; an empty find changes nothing.
std::int32_t ReplaceAll(std::string& text, std::string_view find, std::string_view replacement,
                        CompareMode mode);

// The text with control characters written as escapes ("\n", "\x1b", "\u009b"), and bytes
// that are no UTF-8 as "\xNN": safe to print as one line on a terminal.
std::string EscapeControls(std::string_view text);

// Removes leading and trailing blanks (spaces only).
std::string TrimBlanks(std::string_view text);

}  // namespace tonzug
