#include "web/SvgText.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>

#include "color/ColorText.h"

namespace tonzug {

std::string DecimalText(double value, int decimals) {
    std::array<char, 64> buffer{};
    const auto [end, error] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                            std::chars_format::fixed, decimals);
    if (error != std::errc{}) {
        return "0";
    }
    std::string text(buffer.data(), end);
    if (text.find('.') != std::string::npos) {
        text.erase(text.find_last_not_of('0') + 1);
        if (text.back() == '.') {
            text.pop_back();
        }
    }
    return text == "-0" ? "0" : text;
}

std::string HexColor(const WholeChannels& color) {
    std::string text = ColorToHex(RgbColor(color[0], color[1], color[2]), true);
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

std::string PaintAttributes(const char* colorName, const char* opacityName,
                            const WholeChannelArray<kAlphaChannels>& levels) {
    // Four decimals tell every alpha level apart.
    constexpr int kOpacityDecimals = 4;
    constexpr int kOpaque = 255;
    std::string paint = Attribute(colorName, HexColor({levels[0], levels[1], levels[2]}));
    if (levels[3] != kOpaque) {
        paint += Attribute(opacityName, DecimalText(levels[3] / double{kOpaque}, kOpacityDecimals));
    }
    return paint;
}

std::string Attribute(const char* name, const std::string& value) {
    return std::string(" ") + name + "=\"" + value + "\"";
}

std::string FilledRect(int width, int height) {
    return "<rect" + Attribute("width", std::to_string(width)) +
           Attribute("height", std::to_string(height)) +
           Attribute("fill", std::string("url(#") + kGradientId + ")") + "/>\n";
}

std::string SvgDocument(int width, int height, const std::string& definitions,
                        const std::string& body) {
    const std::string widthText = std::to_string(width);
    const std::string heightText = std::to_string(height);
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<svg xmlns=\"http://www.w3.org/2000/svg\"" +
           Attribute("width", widthText) + Attribute("height", heightText) +
           Attribute("viewBox", "0 0 " + widthText + " " + heightText) + ">\n" + definitions +
           body + "</svg>\n";
}

}  // namespace tonzug
