#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

// The small pieces of CSS's syntax that more than one reader needs.
namespace tonzug {

bool IsCssBlank(char c);
bool IsCssDigit(char c);
// Letters, "_", "-" and anything beyond ASCII start a CSS name.
bool IsCssNameStart(char c);
bool IsCssNameCharacter(char c);

// How many characters come before `byte`: the continuation bytes of UTF-8 do not count.
std::size_t CharacterIndex(std::string_view text, std::size_t byte);

// Whether a CSS number starts at `at`: a sign, then digits or a decimal point and a digit.
bool StartsCssNumber(std::string_view text, std::size_t at);

// The CSS number at `at` (sign, digits, fraction, exponent: "1e3", while "1em" is 1 and a
// unit), with `at` moved past it; empty where none starts or it is beyond the double range.
std::optional<double> ReadCssNumber(std::string_view text, std::size_t& at);

// An angle in degrees from a value in deg, grad, rad or turn (any letter case).
std::optional<double> AngleDegrees(double value, std::string_view unit);

}  // namespace tonzug
