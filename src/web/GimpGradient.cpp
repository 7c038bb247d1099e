// GIMP's segments as a free gradient's colour line, and back.
#include "web/GimpGradient.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <utility>

#include "render/FreeColorLine.h"

namespace tonzug {
namespace {

// A middle this close to the centre was written for one: GIMP rounds to six decimals.
constexpr double kCentredMiddle = 0.6e-6;
constexpr double kDegreesToTheRight = 90.0;
constexpr double kChannelMax = 255.0;

// The segments on exact boundaries: 0 and 1 at the ends, each joint where the segment
// before it ends, as GIMP looks segments up by their right ends.
GimpSegments Joined(GimpSegments segments) {
    for (std::size_t i = 0; i < segments.size(); ++i) {
        GimpSegment& segment = segments[i];
        segment.left = i == 0 ? 0.0 : segments[i - 1].right;
        segment.right = i + 1 == segments.size() ? 1.0 : std::max(segment.right, segment.left);
        segment.middle = std::clamp(segment.middle, segment.left, segment.right);
    }
    return segments;
}

std::optional<LinePosition> MidpointOf(const GimpSegment& segment) {
    if (std::fabs(segment.middle - (segment.left + segment.right) / 2.0) <= kCentredMiddle) {
        return std::nullopt;
    }
    return LinePosition{segment.middle, 0.0};
}

void AddSegment(ColorLineBuilder& builder, const GimpSegment& segment) {
    const StopSegment easing{segment.blend, MidpointOf(segment)};
    if (segment.coloring == GimpColoring::kRgb) {
        builder.Add(segment.left, segment.leftColor, segment.right, segment.rightColor, easing);
    } else if (segment.blend == Easing::kStep) {
        builder.Add(segment.left, GimpBlendColors(segment, 0.0), segment.right,
                    GimpBlendColors(segment, 1.0), easing);
    } else {
        // Split at the middle, where the blend factor bends.
        const std::function<CssColor(double)> colorAt = [&segment](double x) {
            return GimpSegmentColorAt(segment, x);
        };
        const PieceDrawing drawing = StraightSrgbDrawing();
        for (const auto& [from, to] :
             {std::pair{segment.left, segment.middle}, std::pair{segment.middle, segment.right}}) {
            builder.AddPieces(colorAt, from, colorAt(from), to, colorAt(to), drawing);
        }
    }
}

bool IsFraction(const std::optional<LinePosition>& position) {
    return position && position->absolute == 0.0 && position->fraction >= 0.0 &&
           position->fraction <= 1.0;
}

bool InsideSrgb(const CssColor& color) {
    return std::ranges::all_of(std::array{color.red, color.green, color.blue, color.alpha},
                               [](double channel) { return channel >= 0.0 && channel <= 1.0; });
}

// A segment of the first (last) stop's colour from 0 (up to 1), where the stops stop short.
GimpSegment Flat(double left, double right, const CssColor& color) {
    return {left, (left + right) / 2.0, right, color, color};
}

}  // namespace

GimpGradientReading ReadGimpGradient(std::string_view fileText) {
    GimpSegmentsReading reading = ReadGimpSegments(fileText);
    if (!reading.segments) {
        return {std::nullopt, std::move(reading.name), reading.error};
    }
    const GimpSegments segments = Joined(std::move(*reading.segments));
    ColorLineBuilder builder(kMaxColorStops);
    for (std::size_t i = 0; i < segments.size(); ++i) {
        AddSegment(builder, segments[i]);
        if (builder.TooMany()) {
            return {std::nullopt,
                    std::move(reading.name),
                    {reading.firstSegmentLine + i, GimpFileProblem::kTooManyStops}};
        }
    }
    FreeGradient gradient;
    gradient.shape = FreeShape::kLinear;
    gradient.linear.degrees = kDegreesToTheRight;
    gradient.stops = builder.TakeStops();
    gradient.segments = builder.TakeSegments();
    gradient.interpolation.space = InterpolationSpace::kSrgb;
    // Where every segment keeps its alpha, straight and premultiplied blends are the same.
    const bool alphaChanges = std::ranges::any_of(segments, [](const GimpSegment& segment) {
        return segment.leftColor.alpha != segment.rightColor.alpha;
    });
    gradient.alphaBlend = alphaChanges ? AlphaBlend::kStraight : AlphaBlend::kPremultiplied;
    return {std::move(gradient), std::move(reading.name), {}};
}

std::optional<GimpSegments> GimpSegmentsOf(const FreeGradient& gradient) {
    const std::vector<ColorStop>& stops = gradient.stops;
    if (gradient.interpolation.space != InterpolationSpace::kSrgb || stops.size() < 2 ||
        gradient.segments.size() + 1 != stops.size()) {
        return std::nullopt;
    }
    for (std::size_t i = 0; i < stops.size(); ++i) {
        if (!IsFraction(stops[i].position) || !InsideSrgb(stops[i].color) ||
            (i > 0 && stops[i].position->fraction < stops[i - 1].position->fraction)) {
            return std::nullopt;
        }
    }
    GimpSegments segments;
    const double first = stops.front().position->fraction;
    if (first > 0.0) {
        segments.push_back(Flat(0.0, first, stops.front().color));
    }
    for (std::size_t i = 0; i + 1 < stops.size(); ++i) {
        const StopSegment& between = gradient.segments[i];
        GimpSegment segment{stops[i].position->fraction,
                            0.0,
                            stops[i + 1].position->fraction,
                            stops[i].color,
                            stops[i + 1].color,
                            between.easing};
        segment.middle = (segment.left + segment.right) / 2.0;
        if (between.midpoint) {
            if (!IsFraction(between.midpoint) || between.midpoint->fraction < segment.left ||
                between.midpoint->fraction > segment.right) {
                return std::nullopt;
            }
            segment.middle = between.midpoint->fraction;
        }
        // GIMP blends alpha straight; premultiplied it differs wherever alpha changes.
        if (gradient.alphaBlend == AlphaBlend::kPremultiplied &&
            segment.leftColor.alpha != segment.rightColor.alpha) {
            return std::nullopt;
        }
        segments.push_back(segment);
    }
    const double last = stops.back().position->fraction;
    if (last < 1.0) {
        segments.push_back(Flat(last, 1.0, stops.back().color));
    }
    return segments;
}

PieceDrawing StraightSrgbDrawing() {
    const auto written = [](const CssColor& color) {
        const RgbTriple mapped = MapIntoSrgb(color);
        const auto unit = [](double value) {
            return std::isfinite(value) ? std::clamp(value / kChannelMax, 0.0, 1.0) : 0.0;
        };
        return CssColor{unit(mapped.red), unit(mapped.green), unit(mapped.blue),
                        std::isfinite(color.alpha) ? std::clamp(color.alpha, 0.0, 1.0) : 0.0};
    };
    const auto blend = [](const CssColor& from, const CssColor& to) {
        const GimpSegment segment{0.0, 0.5, 1.0, from, to};
        return std::function<CssColor(double)>(
            [segment](double factor) { return GimpBlendColors(segment, factor); });
    };
    // Its colours lie inside sRGB: they show as the line does once that is mapped.
    return {written,
            blend,
            [](const FreeColorLine::Segment&) { return true; },
            {ShownStage::kAfterGamutMapping}};
}

std::optional<std::string> GimpGradientText(const FreeGradient& gradient, std::string_view name,
                                            double lineLength) {
    if (gradient.stops.size() < 2 || gradient.segments.size() + 1 != gradient.stops.size()) {
        return std::nullopt;
    }
    const FreeColorLine line(gradient, lineLength);
    const LineSpan span = line.Repeats() ? LineSpan{line.First(), line.Last()} : LineSpan{};
    if (span == LineSpan{}) {
        if (const std::optional<GimpSegments> exact = GimpSegmentsOf(gradient)) {
            return GimpFileText(*exact, name);
        }
    }
    SplitLine split = SplitColorLine(gradient, lineLength, StraightSrgbDrawing(), span);
    FreeGradient fitted;
    fitted.stops = std::move(split.stops);
    fitted.segments = std::move(split.segments);
    fitted.interpolation.space = InterpolationSpace::kSrgb;
    fitted.alphaBlend = AlphaBlend::kStraight;
    const std::optional<GimpSegments> segments = GimpSegmentsOf(fitted);
    if (!segments) {
        return std::nullopt;
    }
    return GimpFileText(*segments, name);
}

}  // namespace tonzug
