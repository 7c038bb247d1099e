#include "color/ColorText.h"

#include <array>

namespace tonzug {
namespace {

constexpr std::array<char, 16> kHexDigits = {'0', '1', '2', '3', '4', '5', '6', '7',
                                             '8', '9', 'A', 'B', 'C', 'D', 'E', 'F'};

void AppendHexByte(std::string& text, int value) {
    text += kHexDigits[(value >> 4) & 0xF];
    text += kHexDigits[value & 0xF];
}

}  // namespace

std::string ColorToHex(ColorValue color, bool withHash) {
    std::string text = withHash ? "#" : "";
    AppendHexByte(text, RedOf(color));
    AppendHexByte(text, GreenOf(color));
    AppendHexByte(text, BlueOf(color));
    return text;
}

}  // namespace tonzug
