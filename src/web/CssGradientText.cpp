#include "web/CssGradientText.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <functional>
#include <limits>

#include "color/CssInterpolation.h"
#include "web/ColorLineSplit.h"
#include "web/CssGradientNames.h"

namespace tonzug {
namespace {

constexpr double kPercent = 100.0;
constexpr double kChannelMax = 255.0;
// How many neighbouring doubles of fraction * 100 are tried for the percentage that
// divides back to the fraction exactly.
constexpr int kPercentNeighbours = 4;

// The shortest text that reads back to the same double, independent of the locale.
std::string NumberText(double value) {
    std::array<char, 64> buffer{};
    const auto [end, error] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    if (error != std::errc{} || value == 0.0) {
        return "0";
    }
    return {buffer.data(), end};
}

// The shortest percentage p with p / 100 == fraction, as the reader divides it.
std::string PercentText(double fraction) {
    const double guess = fraction * kPercent;
    std::string best = NumberText(guess);
    bool exact = false;
    double candidate = guess;
    for (int i = 0; i < kPercentNeighbours; ++i) {
        candidate = std::nextafter(candidate, -std::numeric_limits<double>::infinity());
    }
    for (int i = -kPercentNeighbours; i <= kPercentNeighbours; ++i) {
        if (candidate / kPercent == fraction) {
            const std::string text = NumberText(candidate);
            if (!exact || text.size() < best.size()) {
                best = text;
                exact = true;
            }
        }
        candidate = std::nextafter(candidate, std::numeric_limits<double>::infinity());
    }
    return best + "%";
}

// A percentage plus an absolute part: one value where one part is 0, else a calc() sum.
std::string SumText(const std::string& percent, double absolute, const char* unit,
                    bool percentIsZero) {
    const std::string absoluteText = NumberText(std::abs(absolute)) + unit;
    if (absolute == 0.0) {
        return percent;
    }
    if (percentIsZero) {
        return NumberText(absolute) + unit;
    }
    return "calc(" + percent + (absolute < 0.0 ? " - " : " + ") + absoluteText + ")";
}

std::string LengthText(const LengthPercentage& length) {
    return SumText(NumberText(length.percent) + "%", length.pixels, "px", length.percent == 0.0);
}

std::string LinePositionText(const LinePosition& position, const char* unit) {
    return SumText(PercentText(position.fraction), position.absolute, unit,
                   position.fraction == 0.0);
}

// The channel as a whole level when level / 255 gives it back exactly.
std::optional<int> ExactLevel(double channel) {
    const double level = std::round(channel * kChannelMax);
    if (level < 0.0 || level > kChannelMax || level / kChannelMax != channel) {
        return std::nullopt;
    }
    return static_cast<int>(level);
}

bool IsHexColor(const CssColor& color) {
    return ExactLevel(color.red) && ExactLevel(color.green) && ExactLevel(color.blue) &&
           ExactLevel(color.alpha);
}

std::string ColorText(const CssColor& color) {
    if (IsHexColor(color)) {
        constexpr std::string_view kDigits = "0123456789abcdef";
        std::string text = "#";
        const auto addLevel = [&](double channel) {
            const int level = *ExactLevel(channel);
            text += kDigits[static_cast<std::size_t>(level / 16)];
            text += kDigits[static_cast<std::size_t>(level % 16)];
        };
        for (const double channel : {color.red, color.green, color.blue}) {
            addLevel(channel);
        }
        if (color.alpha != 1.0) {
            addLevel(color.alpha);
        }
        return text;
    }
    std::string text = "color(srgb " + NumberText(color.red) + " " + NumberText(color.green) + " " +
                       NumberText(color.blue);
    if (color.alpha != 1.0) {
        text += " / " + NumberText(color.alpha);
    }
    return text + ")";
}

// Appends a word to words separated by blanks.
void AddWord(std::string& text, const std::string& word) {
    if (!text.empty() && !word.empty()) {
        text += ' ';
    }
    text += word;
}

bool IsPolar(InterpolationSpace space) {
    return std::ranges::any_of(kCssSpaceNames, [&](const CssSpaceName& entry) {
        return entry.space == space && entry.polar;
    });
}

std::string MethodText(const InterpolationMethod& method) {
    const auto space = std::ranges::find_if(
        kCssSpaceNames, [&](const CssSpaceName& entry) { return entry.space == method.space; });
    std::string text = "in " + std::string(space->name);
    // Shorter is CSS's default, and the direct blend of numbers it does not have.
    const std::string_view hue = CssNameOf(kCssHueNames, method.hue);
    if (IsPolar(method.space) && method.hue != HuePath::kShorter && !hue.empty()) {
        AddWord(text, std::string(hue) + " hue");
    }
    return text;
}

std::string PositionText(const BoxPosition& position) {
    return "at " + LengthText(position.x) + " " + LengthText(position.y);
}

std::string LinearText(const LinearDirection& direction) {
    if (direction.towardX == 0 && direction.towardY == 0) {
        return direction.degrees == LinearDirection{}.degrees
                   ? ""
                   : NumberText(direction.degrees) + "deg";
    }
    std::string text = "to";
    if (direction.towardX != 0) {
        text += direction.towardX < 0 ? " left" : " right";
    }
    if (direction.towardY != 0) {
        text += direction.towardY < 0 ? " top" : " bottom";
    }
    return text;
}

std::string RadialText(const RadialGeometry& radial) {
    std::string text = radial.form == RadialForm::kCircle ? "circle" : "";
    const auto add = [&text](const std::string& part) { AddWord(text, part); };
    if (radial.extent == RadialExtent::kExplicit) {
        add(LengthText(radial.radiusX));
        if (radial.form == RadialForm::kEllipse) {
            add(LengthText(radial.radiusY));
        }
    } else if (radial.extent != RadialExtent::kFarthestCorner) {
        add(std::string(CssNameOf(kCssExtentNames, radial.extent)));
    }
    if (radial.center != BoxPosition{}) {
        add(PositionText(radial.center));
    }
    return text;
}

std::string ConicText(const ConicGeometry& conic) {
    std::string text =
        conic.fromDegrees == 0.0 ? "" : "from " + NumberText(conic.fromDegrees) + "deg";
    if (conic.center != BoxPosition{}) {
        AddWord(text, PositionText(conic.center));
    }
    return text;
}

std::string GeometryText(const FreeGradient& gradient) {
    switch (gradient.shape) {
        case FreeShape::kLinear:
            return LinearText(gradient.linear);
        case FreeShape::kRadial:
            return RadialText(gradient.radial);
        case FreeShape::kConic:
            break;
    }
    return ConicText(gradient.conic);
}

const char* FunctionName(FreeShape shape) {
    switch (shape) {
        case FreeShape::kLinear:
            return "linear-gradient(";
        case FreeShape::kRadial:
            return "radial-gradient(";
        case FreeShape::kConic:
            break;
    }
    return "conic-gradient(";
}

// Whether CSS draws the colour line as it is: straight segments or hints, a hue path CSS
// has for the space, colours without missing components, and alpha premultiplied where it
// changes.
bool CssDrawsColorLine(const FreeGradient& gradient) {
    for (const StopSegment& segment : gradient.segments) {
        if (segment.easing != Easing::kCurved &&
            (segment.easing != Easing::kLinear || segment.midpoint)) {
            return false;
        }
    }
    const InterpolationMethod& method = gradient.interpolation;
    if (method.hue == HuePath::kDirect ||
        (!IsPolar(method.space) && method.hue != HuePath::kShorter)) {
        return false;
    }
    if (std::ranges::any_of(gradient.stops,
                            [](const ColorStop& stop) { return !stop.color.missing.None(); })) {
        return false;
    }
    const auto alpha = [](const ColorStop& stop) { return stop.color.alpha; };
    return gradient.alphaBlend == AlphaBlend::kPremultiplied ||
           std::ranges::adjacent_find(gradient.stops, std::ranges::not_equal_to{}, alpha) ==
               gradient.stops.end();
}

std::string TextOf(const FreeGradient& gradient) {
    const char* unit = gradient.shape == FreeShape::kConic ? "deg" : "px";
    bool allHex = true;
    std::string stops;
    for (std::size_t i = 0; i < gradient.stops.size(); ++i) {
        const ColorStop& stop = gradient.stops[i];
        if (i > 0) {
            const StopSegment& segment = gradient.segments.at(i - 1);
            if (segment.midpoint) {
                stops.append(", ").append(LinePositionText(*segment.midpoint, unit));
            }
        }
        allHex = allHex && IsHexColor(stop.color);
        stops.append(", ").append(ColorText(stop.color));
        if (stop.position) {
            stops.append(" ").append(LinePositionText(*stop.position, unit));
            // A stop of the same colour straight after it is its second position.
            const std::size_t next = i + 1;
            if (next < gradient.stops.size() && gradient.stops[next].color == stop.color &&
                gradient.stops[next].position && gradient.segments.at(i) == StopSegment{}) {
                stops.append(" ").append(LinePositionText(*gradient.stops[next].position, unit));
                i = next;
            }
        }
    }
    // Without "in" CSS blends legacy colours in sRGB, and all others in Oklab.
    const InterpolationMethod assumed{allHex ? InterpolationSpace::kSrgb
                                             : InterpolationSpace::kOklab};
    std::string prelude = GeometryText(gradient);
    if (gradient.interpolation != assumed) {
        AddWord(prelude, MethodText(gradient.interpolation));
    }
    std::string text = gradient.repeating ? "repeating-" : "";
    text += FunctionName(gradient.shape);
    text += prelude.empty() ? stops.substr(2) : prelude + stops;
    return text + ")";
}

// How a browser draws between two stops: in the method's space, premultiplied, the hue
// between neighbours the short way (or the way CSS was told) where the line is split.
PieceDrawing CssDrawing(const InterpolationMethod& method) {
    const auto written = [](const CssColor& color) {
        CssColor plain = color;
        plain.missing = {};  // color(srgb ...) has no "none"
        return plain;
    };
    const auto blend = [method](const CssColor& from, const CssColor& to) {
        return std::function<CssColor(double)>(
            [blend = CssBlend(from, to, method)](double t) { return blend.At(t); });
    };
    const auto easesAlike = [](const FreeColorLine::Segment& segment) {
        return segment.easing == Easing::kCurved ||
               (segment.easing == Easing::kLinear &&
                segment.midpoint == FreeColorLine::Segment{}.midpoint);
    };
    return {written,
            blend,
            easesAlike,
            {ShownStage::kBeforeGamutMapping, ShownStage::kAfterGamutMapping}};
}

// The colour line split into stops that CSS draws within half a level.
FreeGradient Fitted(const FreeGradient& gradient, double lineLength) {
    FreeGradient fitted = gradient;
    InterpolationMethod& method = fitted.interpolation;
    // Between close neighbours the shorter way is the way; longer would go round.
    if (!IsPolar(method.space) || method.hue == HuePath::kDirect ||
        method.hue == HuePath::kLonger) {
        method.hue = HuePath::kShorter;
    }
    fitted.alphaBlend = AlphaBlend::kPremultiplied;
    SplitLine split = SplitColorLine(gradient, lineLength, CssDrawing(method));
    fitted.stops = std::move(split.stops);
    fitted.segments = std::move(split.segments);
    return fitted;
}

}  // namespace

bool CssCanExpress(const FreeGradient& gradient) {
    const std::size_t stops = gradient.stops.size();
    if (stops < 2 || stops > kMaxColorStops || gradient.segments.size() != stops - 1 ||
        !CssDrawsColorLine(gradient)) {
        return false;
    }
    const RadialGeometry& radial = gradient.radial;
    return gradient.shape != FreeShape::kRadial || radial.form != RadialForm::kCircle ||
           radial.extent != RadialExtent::kExplicit ||
           (radial.radiusX.percent == 0.0 && radial.radiusX.pixels >= 0.0);
}

std::string CssGradientText(const FreeGradient& gradient, double lineLength) {
    const bool splits = gradient.stops.size() >= 2 &&
                        gradient.segments.size() + 1 == gradient.stops.size() &&
                        !CssDrawsColorLine(gradient);
    return TextOf(splits ? Fitted(gradient, lineLength) : gradient);
}

std::string CssGradientTextBesideEasing(const FreeGradient& gradient) {
    return TextOf(gradient);
}

}  // namespace tonzug
