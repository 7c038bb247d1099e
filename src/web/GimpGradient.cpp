// GIMP's segments as a free gradient's colour line, and back.
#include "web/GimpGradient.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace tonzug {
namespace {

constexpr double kLevel = 1.0 / 255.0;
// Sampled within this, the pieces of an HSV blend stay within half a level between the
// samples too.
constexpr double kPieceTolerance = 0.4 * kLevel;
constexpr int kPieceSamples = 32;
constexpr int kPieceSearchSteps = 30;
// A jump (a middle on a segment's end) is bridged over this width, the precision GIMP
// writes, rather than split for ever.
constexpr double kNarrowestPiece = 1e-6;
// A middle this close to the centre was written for one: GIMP rounds to six decimals.
constexpr double kCentredMiddle = 0.6e-6;
constexpr double kDegreesToTheRight = 90.0;

CssColor Mixed(const CssColor& from, const CssColor& to, double t) {
    const auto mix = [t](double a, double b) { return a + (b - a) * t; };
    return {mix(from.red, to.red), mix(from.green, to.green), mix(from.blue, to.blue),
            mix(from.alpha, to.alpha)};
}

double Deviation(const CssColor& a, const CssColor& b) {
    return std::max({std::fabs(a.red - b.red), std::fabs(a.green - b.green),
                     std::fabs(a.blue - b.blue), std::fabs(a.alpha - b.alpha)});
}

// Stops and segments in order; a piece that starts where the last one ended in its colour
// shares that stop, any other starts with a hard stop.
class ColorLineBuilder {
  public:
    void Add(double from, const CssColor& fromColor, double to, const CssColor& toColor,
             const StopSegment& segment) {
        const bool joins = !stops_.empty() && stops_.back().color == fromColor &&
                           stops_.back().position->fraction == from;
        if (!joins) {
            if (!stops_.empty()) {
                segments_.emplace_back();
            }
            stops_.push_back({fromColor, LinePosition{from, 0.0}});
        }
        segments_.push_back(segment);
        stops_.push_back({toColor, LinePosition{to, 0.0}});
    }

    // Straight sRGB pieces from `from` to `to` within half a level of the segment's colours:
    // each piece reaches as far as it can.
    void AddPieces(const GimpSegment& segment, double from, double to) {
        const auto colorAt = [&segment](double x) { return GimpSegmentColorAt(segment, x); };
        double start = from;
        CssColor startColor = colorAt(start);
        while (start < to && !TooMany()) {
            double reach = std::min(to, start + kNarrowestPiece);
            double beyond = to;
            if (Fits(colorAt, start, to)) {
                reach = to;
            }
            for (int step = 0; step < kPieceSearchSteps && reach < to; ++step) {
                const double middle = (reach + beyond) / 2.0;
                (Fits(colorAt, start, middle) ? reach : beyond) = middle;
            }
            const CssColor reachColor = colorAt(reach);
            Add(start, startColor, reach, reachColor, {});
            start = reach;
            startColor = reachColor;
        }
    }

    bool TooMany() const { return stops_.size() > kMaxColorStops; }
    std::vector<ColorStop> TakeStops() { return std::move(stops_); }
    std::vector<StopSegment> TakeSegments() { return std::move(segments_); }

  private:
    template <typename ColorAt>
    static bool Fits(const ColorAt& colorAt, double from, double to) {
        const CssColor fromColor = colorAt(from);
        const CssColor toColor = colorAt(to);
        for (int i = 1; i < kPieceSamples; ++i) {
            const double t = static_cast<double>(i) / kPieceSamples;
            if (Deviation(colorAt(from + (to - from) * t), Mixed(fromColor, toColor, t)) >
                kPieceTolerance) {
                return false;
            }
        }
        return true;
    }

    std::vector<ColorStop> stops_;
    std::vector<StopSegment> segments_;
};

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
        builder.AddPieces(segment, segment.left, segment.middle);
        builder.AddPieces(segment, segment.middle, segment.right);
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
    ColorLineBuilder builder;
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

std::optional<std::string> GimpGradientText(const FreeGradient& gradient, std::string_view name) {
    const std::optional<GimpSegments> segments = GimpSegmentsOf(gradient);
    if (!segments) {
        return std::nullopt;
    }
    return GimpFileText(*segments, name);
}

}  // namespace tonzug
