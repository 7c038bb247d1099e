#include "form/NumericInput.h"

#include <algorithm>
#include <array>

namespace tonzug {

bool FilterNumericKey(std::int16_t& key) {
    constexpr std::array<std::int16_t, 7> kEditingKeys = {8, 9, 13, 3, 22, 24, '+'};
    const bool passes =
        (key >= '0' && key <= '9') || key == '-' ||
        std::find(kEditingKeys.begin(), kEditingKeys.end(), key) != kEditingKeys.end();
    if (!passes) {
        key = 0;
    }
    return key != 0;
}

std::optional<std::string> NumericFieldText(std::string_view text) {
    std::string kept;
    bool anyDigit = false;
    for (std::size_t index = 0; index < text.size(); ++index) {
        const char character = text[index];
        const bool digit = character >= '0' && character <= '9';
        if (character == '.' && anyDigit && index + 1 < text.size() && text[index + 1] >= '0' &&
            text[index + 1] <= '9') {
            break;
        }
        if (digit || character == '+' || character == '-') {
            kept.push_back(character);
            anyDigit = anyDigit || digit;
        }
    }
    if (!anyDigit) {
        return std::nullopt;
    }
    return kept;
}

}  // namespace tonzug
