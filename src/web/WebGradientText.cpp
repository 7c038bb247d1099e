#include "web/WebGradientText.h"

#include <vector>

#include "web/SvgText.h"

namespace tonzug {
namespace {

constexpr double kPercent = 100.0;
// The centre and radius of an SVG circle are written to this many decimals.
constexpr int kLengthDecimals = 4;

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
    element += Attribute("id", kGradientId) + Attribute("gradientUnits", "userSpaceOnUse") + ">\n";
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
    return SvgDocument(gradient.width, gradient.height,
                       "<defs>\n" + SvgGradientElement(gradient) + "</defs>\n",
                       FilledRect(gradient.width, gradient.height));
}

}  // namespace tonzug
