#include "web/WebGradientText.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <cmath>

#include "color/ColorText.h"

namespace tonzug {
namespace {

constexpr double kPercent = 100.0;
// The centre and radius of an SVG circle are written to this many decimals.
constexpr int kLengthDecimals = 4;

// Fixed-point text without trailing zeros, independent of the user's locale.
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

struct TextStop {
    std::string color;
    std::string percent;
};

// The stops as written: a single colour spans the whole line, and a gradient that draws
// nothing shows the white the picture keeps.
std::vector<TextStop> TextStops(const WebGradient& gradient) {
    constexpr WholeChannels kWhiteChannels{255, 255, 255};
    if (gradient.stops.size() < 2) {
        const std::string color =
            HexColor(gradient.stops.empty() ? kWhiteChannels : gradient.stops.front().color);
        return {{color, "0%"}, {color, "100%"}};
    }
    std::vector<TextStop> stops;
    stops.reserve(gradient.stops.size());
    for (const FittedStop& stop : gradient.stops) {
        const double percent = stop.position / gradient.axisLength * kPercent;
        stops.push_back(
            {HexColor(stop.color), DecimalText(percent, gradient.percentDecimals) + "%"});
    }
    return stops;
}

std::string CssLine(WebShape shape) {
    switch (shape) {
        case WebShape::kToRight:
            return "linear-gradient(to right";
        case WebShape::kToBottom:
            return "linear-gradient(to bottom";
        case WebShape::kCircle:
            break;
    }
    return "radial-gradient(circle farthest-corner at 50% 50%";
}

std::string Attribute(const char* name, const std::string& value) {
    return std::string(" ") + name + "=\"" + value + "\"";
}

std::string SvgGradientElement(const WebGradient& gradient) {
    const std::string width = std::to_string(gradient.width);
    const std::string height = std::to_string(gradient.height);
    std::string element;
    switch (gradient.shape) {
        case WebShape::kToRight:
            element = "<linearGradient" + Attribute("x1", "0") + Attribute("y1", "0") +
                      Attribute("x2", width) + Attribute("y2", "0");
            break;
        case WebShape::kToBottom:
            element = "<linearGradient" + Attribute("x1", "0") + Attribute("y1", "0") +
                      Attribute("x2", "0") + Attribute("y2", height);
            break;
        case WebShape::kCircle:
            element = "<radialGradient" +
                      Attribute("cx", DecimalText(gradient.width / 2.0, kLengthDecimals)) +
                      Attribute("cy", DecimalText(gradient.height / 2.0, kLengthDecimals)) +
                      Attribute("r", DecimalText(gradient.axisLength, kLengthDecimals));
            break;
    }
    element += Attribute("id", "tonzug") + Attribute("gradientUnits", "userSpaceOnUse") + ">\n";
    for (const TextStop& stop : TextStops(gradient)) {
        element += "<stop" + Attribute("offset", stop.percent) +
                   Attribute("stop-color", stop.color) + "/>\n";
    }
    element += gradient.shape == WebShape::kCircle ? "</radialGradient>\n" : "</linearGradient>\n";
    return element;
}

}  // namespace

std::string CssDeclaration(const WebGradient& gradient) {
    std::string text = "background-image: " + CssLine(gradient.shape);
    for (const TextStop& stop : TextStops(gradient)) {
        text += ", " + stop.color + " " + stop.percent;
    }
    return text + ");";
}

std::string SvgPicture(const WebGradient& gradient) {
    const std::string width = std::to_string(gradient.width);
    const std::string height = std::to_string(gradient.height);
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<svg xmlns=\"http://www.w3.org/2000/svg\"" +
           Attribute("width", width) + Attribute("height", height) +
           Attribute("viewBox", "0 0 " + width + " " + height) + ">\n<defs>\n" +
           SvgGradientElement(gradient) + "</defs>\n<rect" + Attribute("width", width) +
           Attribute("height", height) + Attribute("fill", "url(#tonzug)") + "/>\n</svg>\n";
}

}  // namespace tonzug
