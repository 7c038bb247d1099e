#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tonzug {

// Text operations: comparing, replacing, trimming and escaping.

enum class CompareMode { kExact, kIgnoreCase };

// Equality of two texts, ignoring ASCII case when asked.
bool TextEquals(std::string_view left, std::string_view right, CompareMode mode);

// Replaces every occurrence of find; an inserted replacement is not searched again. Returns
// the number of replacements; an empty find changes nothing.
std::int32_t ReplaceAll(std::string& text, std::string_view find, std::string_view replacement,
                        CompareMode mode);

// The text with control characters written as escapes ("\n", "\x1b", "\u009b"), and bytes
// that are no UTF-8 as "\xNN": safe to print as one line on a terminal.
std::string EscapeControls(std::string_view text);

// ASCII white space: blank, tab, line feed, carriage return, vertical tab, form feed.
bool IsWhitespace(char c);
// The text without white space at either end.
std::string_view TrimWhitespace(std::string_view text);

// Removes leading and trailing blanks (spaces only).
std::string TrimBlanks(std::string_view text);

}  // namespace tonzug
