#include "color/CssSyntax.h"

#include <algorithm>
#include <charconv>
#include <numbers>

#include "support/TextHelpers.h"

namespace tonzug {

bool IsCssBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f';
}

bool IsCssDigit(char c) {
    return c >= '0' && c <= '9';
}

bool IsCssNameStart(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_' || c == '-' ||
           static_cast<unsigned char>(c) >= 0x80;
}

bool IsCssNameCharacter(char c) {
    return IsCssNameStart(c) || IsCssDigit(c);
}

std::size_t CharacterIndex(std::string_view text, std::size_t byte) {
    const auto end = text.begin() + static_cast<std::ptrdiff_t>(std::min(byte, text.size()));
    return static_cast<std::size_t>(std::count_if(text.begin(), end, [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0u) != 0x80u;
    }));
}

bool StartsCssNumber(std::string_view text, std::size_t at) {
    const auto characterAt = [&](std::size_t index) {
        return index < text.size() ? text[index] : '\0';
    };
    const std::size_t digits = (characterAt(at) == '+' || characterAt(at) == '-') ? at + 1 : at;
    return IsCssDigit(characterAt(digits)) ||
           (characterAt(digits) == '.' && IsCssDigit(characterAt(digits + 1)));
}

std::optional<double> ReadCssNumber(std::string_view text, std::size_t& at) {
    if (!StartsCssNumber(text, at)) {
        return std::nullopt;
    }
    const auto characterAt = [&](std::size_t index) {
        return index < text.size() ? text[index] : '\0';
    };
    std::size_t end = at;
    if (characterAt(end) == '+' || characterAt(end) == '-') {
        ++end;
    }
    const auto skipDigits = [&] {
        while (IsCssDigit(characterAt(end))) {
            ++end;
        }
    };
    skipDigits();
    if (characterAt(end) == '.' && IsCssDigit(characterAt(end + 1))) {
        ++end;
        skipDigits();
    }
    const std::size_t exponentSign =
        (characterAt(end + 1) == '+' || characterAt(end + 1) == '-') ? 1 : 0;
    if ((characterAt(end) == 'e' || characterAt(end) == 'E') &&
        IsCssDigit(characterAt(end + 1 + exponentSign))) {
        end += 1 + exponentSign;
        skipDigits();
    }
    // from_chars takes no "+".
    const std::size_t first = text[at] == '+' ? at + 1 : at;
    double value = 0.0;
    const auto [stop, error] = std::from_chars(text.data() + first, text.data() + end, value);
    if (error != std::errc() || stop != text.data() + end) {
        return std::nullopt;
    }
    at = end;
    return value;
}

std::optional<double> AngleDegrees(double value, std::string_view unit) {
    constexpr double kDegreesPerGradian = 0.9;
    constexpr double kDegreesPerTurn = 360.0;
    if (TextEquals(unit, "deg", CompareMode::kIgnoreCase)) {
        return value;
    }
    if (TextEquals(unit, "grad", CompareMode::kIgnoreCase)) {
        return value * kDegreesPerGradian;
    }
    if (TextEquals(unit, "rad", CompareMode::kIgnoreCase)) {
        return value * 180.0 / std::numbers::pi;
    }
    if (TextEquals(unit, "turn", CompareMode::kIgnoreCase)) {
        return value * kDegreesPerTurn;
    }
    return std::nullopt;
}

}  // namespace tonzug
