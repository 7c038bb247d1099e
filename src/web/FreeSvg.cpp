#include "web/FreeSvg.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <vector>

#include "render/FreeColorLine.h"
#include "render/FreeShapes.h"
#include "web/ConicWedges.h"
#include "web/FreeSvgLine.h"
#include "web/SvgText.h"

namespace tonzug {
namespace {

// The stops of one SVG gradient are kept to about a megabyte of text.
constexpr std::size_t kMaxSvgStops = 16384;
// Offsets place every stop to this fraction of a pixel.
constexpr double kOffsetPrecision = 0.001;
// As the renderer's table of the line: between samples this close the gamut mapping's
// bends are caught too.
constexpr double kSamplesPerPixel = 4.0;

// Geometry to this many significant digits, which may be tiny or huge (a flattened ellipse).
constexpr int kGeometryDigits = 10;

std::string NumberText(double value) {
    std::array<char, 32> buffer{};
    const auto [end, error] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                            std::chars_format::general, kGeometryDigits);
    return error == std::errc{} ? std::string(buffer.data(), end) : std::string("0");
}

// The part of the line an SVG gradient spans: offsets 0 to 1 are `origin` to `origin +
// span` in line units; the stops are fitted from `from` on.
struct GradientSpan {
    double origin = 0.0;
    double span = 1.0;
    double from = 0.0;
    bool repeat = false;
};

// The line positions of the picture's pixels lie between these two.
struct PositionRange {
    double lowest = 0.0;
    double highest = 0.0;
};

PositionRange PicturePositions(const FreeGradient& gradient, const FreePlacement& placement,
                               double width, double height) {
    const std::array<std::array<double, 2>, 4> corners = {
        {{0.0, 0.0}, {width, 0.0}, {0.0, height}, {width, height}}};
    PositionRange range{placement.PositionAt(0.0, 0.0), placement.PositionAt(0.0, 0.0)};
    for (const auto& [x, y] : corners) {
        range.lowest = std::min(range.lowest, placement.PositionAt(x, y));
        range.highest = std::max(range.highest, placement.PositionAt(x, y));
    }
    if (gradient.shape == FreeShape::kRadial) {
        // The nearest point of the box: the centre itself when inside.
        range.lowest = placement.PositionAt(std::clamp(placement.CenterX(), 0.0, width),
                                            std::clamp(placement.CenterY(), 0.0, height));
    }
    return range;
}

// A repeating line repeats in SVG exactly: its colours are periodic along the whole line,
// so one period from the gradient's origin (the centre of a radial one, whose offset 0
// SVG puts there) holds them all, the jump between periods included.
GradientSpan SpanOf(const FreeGradient& gradient, const FreeColorLine& line,
                    const PositionRange& range, double samplesPerUnit) {
    const bool radial = gradient.shape == FreeShape::kRadial;
    if (line.Repeats()) {
        const double period = line.Last() - line.First();
        return {0.0, period, 0.0, true};
    }
    // A picture of one position still needs a gradient of some length.
    const double highest = std::max(range.highest, range.lowest + 1.0 / samplesPerUnit);
    if (radial) {
        return {0.0, highest, range.lowest, false};
    }
    return {range.lowest, highest - range.lowest, range.lowest, false};
}

std::string StopElements(const LineStops& fitted, const GradientSpan& span, int decimals) {
    std::string text;
    for (const AlphaStop& stop : fitted.stops) {
        const double offset = std::clamp((stop.position - span.origin) / span.span, 0.0, 1.0);
        text += "<stop" + Attribute("offset", DecimalText(offset, decimals)) +
                PaintAttributes("stop-color", "stop-opacity", stop.color);
        text += "/>\n";
    }
    return text;
}

// The gradient element's opening tag with its geometry.
std::string GradientTag(const FreeGradient& gradient, const FreePlacement& placement,
                        const GradientSpan& span) {
    std::string tag;
    if (gradient.shape == FreeShape::kRadial) {
        // In pixels, since renderers keep transforms in fixed point (pixman in 16.16: a
        // gradient in units of the radius lost its period within a few rings): a circle
        // of the horizontal radius, squeezed to the ellipse by a transform when it is one.
        const double radiusX = placement.RadiusX();
        const double squeeze = placement.RadiusY() / radiusX;
        const bool circle = squeeze == 1.0;
        tag = "<radialGradient" + Attribute("cx", circle ? NumberText(placement.CenterX()) : "0") +
              Attribute("cy", circle ? NumberText(placement.CenterY()) : "0") +
              Attribute("r", NumberText(span.span * radiusX));
        if (!circle) {
            tag += Attribute("gradientTransform", "matrix(1 0 0 " + NumberText(squeeze) + " " +
                                                      NumberText(placement.CenterX()) + " " +
                                                      NumberText(placement.CenterY()) + ")");
        }
    } else {
        // Line position u lies at the box's centre plus (u - 1/2) line lengths along the
        // direction.
        const auto point = [&](double position, double center, double direction) {
            return NumberText(center + (position - 0.5) * placement.LineLength() * direction);
        };
        const double end = span.origin + span.span;
        tag = "<linearGradient" +
              Attribute("x1", point(span.origin, placement.CenterX(), placement.DirectionX())) +
              Attribute("y1", point(span.origin, placement.CenterY(), placement.DirectionY())) +
              Attribute("x2", point(end, placement.CenterX(), placement.DirectionX())) +
              Attribute("y2", point(end, placement.CenterY(), placement.DirectionY()));
    }
    tag += Attribute("id", kGradientId) + Attribute("gradientUnits", "userSpaceOnUse");
    if (span.repeat) {
        tag += Attribute("spreadMethod", "repeat");
    }
    return tag + ">\n";
}

// Decimals of an offset that place a stop to kOffsetPrecision pixels.
int OffsetDecimals(double spanPixels) {
    const double digits = std::log10(std::max(spanPixels, 1.0) / kOffsetPrecision);
    return static_cast<int>(std::ceil(digits));
}

}  // namespace

std::string FreeSvgPicture(const FreeGradient& gradient, std::int32_t width, std::int32_t height) {
    const FreePlacement placement(gradient, width, height);
    const FreeColorLine line(gradient, placement.LineLength());
    if (gradient.shape == FreeShape::kConic) {
        return SvgDocument(width, height, "", ConicWedges(placement, line, width, height));
    }
    // The pixels the line crosses per unit where it crosses them most slowly.
    const double pixelsPerUnit = gradient.shape == FreeShape::kRadial
                                     ? std::max(placement.RadiusX(), placement.RadiusY())
                                     : placement.LineLength();
    const double samplesPerUnit = kSamplesPerPixel * pixelsPerUnit;
    const PositionRange range = PicturePositions(gradient, placement, width, height);
    const GradientSpan span = SpanOf(gradient, line, range, samplesPerUnit);
    const LineStops fitted =
        FitLineStops(line, span.from, span.origin + span.span, samplesPerUnit, kMaxSvgStops);
    const bool radial = gradient.shape == FreeShape::kRadial;
    const std::string element =
        GradientTag(gradient, placement, span) +
        StopElements(fitted, span, OffsetDecimals(span.span * pixelsPerUnit)) +
        (radial ? "</radialGradient>\n" : "</linearGradient>\n");
    return SvgDocument(width, height, "<defs>\n" + element + "</defs>\n",
                       FilledRect(width, height));
}

}  // namespace tonzug
