#include "color/ColorText.h"

#include <array>
#include <cstdint>
#include <vector>

#include "support/TextHelpers.h"

namespace tonzug {
namespace {

constexpr std::array<char, 16> kHexDigits = {'0', '1', '2', '3', '4', '5', '6', '7',
                                             '8', '9', 'A', 'B', 'C', 'D', 'E', 'F'};

void AppendHexByte(std::string& text, int value) {
    text += kHexDigits[(value >> 4) & 0xF];
    text += kHexDigits[value & 0xF];
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

// The characters of a UTF-8 text; a character outside ASCII becomes '\0' (no hex
// digit), so that a text is measured in characters, not bytes.
std::vector<char> Characters(std::string_view text) {
    std::vector<char> characters;
    for (const char byte : text) {
        const auto unit = static_cast<unsigned char>(byte);
        if (unit < 0x80) {
            characters.push_back(byte);
        } else if ((unit & 0xC0) != 0x80) {
            characters.push_back('\0');
        }
    }
    return characters;
}

}  // namespace

std::string ColorToHex(ColorValue color, bool withHash) {
    std::string text = withHash ? "#" : "";
    AppendHexByte(text, RedOf(color));
    AppendHexByte(text, GreenOf(color));
    AppendHexByte(text, BlueOf(color));
    return text;
}

ColorValue HtmlToRgb(std::string_view text, RgbTriple& triple) {
    while (!text.empty() && IsBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsBlank(text.back())) {
        text.remove_suffix(1);
    }
    if (!text.empty() && text.front() == '#') {
        text.remove_prefix(1);
    }
    const std::vector<char> characters = Characters(text);
    std::array<int, 3> channels{0, 0, 0};
    if (characters.size() == 6) {
        for (std::size_t i = 0; i < channels.size(); ++i) {
            channels[i] =
                HexDigitValue(characters[2 * i]) * 16 + HexDigitValue(characters[2 * i + 1]);
        }
    }
    triple = RgbTriple{static_cast<double>(channels[0]), static_cast<double>(channels[1]),
                       static_cast<double>(channels[2])};
    return RgbColor(channels[0], channels[1], channels[2]);
}

ColorValue HtmlToRgb(std::string_view text) {
    RgbTriple unused;
    return HtmlToRgb(text, unused);
}

}  // namespace tonzug
