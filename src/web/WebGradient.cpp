#include "web/WebGradient.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <memory>
#include <optional>

#include "render/Gradient.h"
#include "render/RasterCoverage.h"

namespace tonzug {
namespace {

// A change between neighbouring steps counts as an edge when it stands out against the
// changes on both sides by this factor and slack (channel units): a band or section
// cut short by another, never a blend however steep.
constexpr double kEdgeFactor = 2.0;
constexpr double kEdgeSlack = 2.0;
// A ring shows one colour over a whole pixel of radius, where a blend would change along
// it: rings further apart than this are kept apart by a hard edge, so that the browser's
// blend within a ring stays as close to the ring as between the middles of lines.
constexpr double kRingChange = 1.0;
// Each retry widens the tolerance by this factor.
constexpr double kWidening = 2.0;
constexpr int kMaxWidenings = 16;
constexpr double kPercent = 100.0;
// Stops are placed to this fraction of a pixel.
constexpr double kPositionPrecision = 0.001;

WebShape ShapeOf(Orientation orientation) {
    switch (orientation) {
        case Orientation::kHorizontal:
            return WebShape::kToRight;
        case Orientation::kVertical:
            return WebShape::kToBottom;
        default:
            return WebShape::kCircle;
    }
}

double AxisLengthOf(WebShape shape, std::int32_t width, std::int32_t height) {
    switch (shape) {
        case WebShape::kToRight:
            return width;
        case WebShape::kToBottom:
            return height;
        case WebShape::kCircle:
            break;
    }
    return std::hypot(width / 2.0, height / 2.0);
}

int PercentDecimals(double axisLength) {
    // One unit of the last decimal of a percentage is axisLength / 100 * 10^-decimals pixels.
    const double digits = std::log10(axisLength / kPercent / kPositionPrecision);
    return std::max(0, static_cast<int>(std::ceil(digits)));
}

struct Span {
    double first = 0.0;
    double end = 0.0;
    double Middle() const { return (first + end) / 2.0; }
};

// The steps the renderer draws, with the span of the axis each one shows on: a box of
// columns or rows, or the distances from the centre at which its ring is the last one
// painted (render/RasterCoverage.h). Steps that later rings cover completely are left out.
class DrawnSteps {
  public:
    DrawnSteps(const GradientParams& params, std::int32_t width, std::int32_t height)
        : shape_(ShapeOf(params.orientation)), axisLength_(AxisLengthOf(shape_, width, height)) {
        const GradientRenderer renderer(params, width, height);
        ramp_ = BuildGradientRamp(params);
        last_ = ramp_ ? renderer.StepCount() : 0;
        stepSize_ = renderer.StepSize();
        halfPen_ = RingHalfWidth(renderer.RingPenWidth());
        first_ = 1;
        while (first_ <= last_ && !(SpanOf(first_).end > SpanOf(first_).first)) {
            ++first_;
        }
    }

    WebShape Shape() const { return shape_; }
    // The largest change between neighbouring steps that may be blended over.
    double SteadyChange() const {
        return shape_ == WebShape::kCircle ? kRingChange : std::numeric_limits<double>::infinity();
    }
    double AxisLength() const { return axisLength_; }
    std::int64_t First() const { return first_; }
    std::int64_t Last() const { return last_; }

    Span SpanOf(std::int64_t step) const {
        const double size = stepSize_;
        if (shape_ != WebShape::kCircle) {
            return {std::min(size * static_cast<double>(step - 1), axisLength_),
                    std::min(size * static_cast<double>(step), axisLength_)};
        }
        const double radius = size * static_cast<double>(step - 1);
        const double end = step == last_ ? radius + halfPen_ : radius + size - halfPen_;
        return {std::max(radius - halfPen_, 0.0), end};
    }

    Channels Exact(std::int64_t step) const {
        const ExactColor exact = ramp_->Exact(step);
        return {exact.red, exact.green, exact.blue};
    }

    // The colour the picture shows, as whole channels.
    Channels Shown(std::int64_t step) const {
        const std::uint32_t word = ResolvePixel(ramp_->At(step));
        if (word == kNoPixel) {
            const Channels exact = Exact(step);
            return {std::round(exact[0]), std::round(exact[1]), std::round(exact[2])};
        }
        const ColorValue color = FromPixel(word);
        return {static_cast<double>(RedOf(color)), static_cast<double>(GreenOf(color)),
                static_cast<double>(BlueOf(color))};
    }

  private:
    WebShape shape_;
    double axisLength_;
    std::unique_ptr<ColorRamp> ramp_;
    std::int64_t first_ = 1;
    std::int64_t last_ = 0;
    double stepSize_ = 0.0;
    double halfPen_ = 0.0;
};

bool IsEdge(const std::optional<Channels>& before, const Channels& left, const Channels& right,
            const std::optional<Channels>& after, double steadyChange) {
    for (std::size_t c = 0; c < 3; ++c) {
        const double change = std::abs(right[c] - left[c]);
        if (change > steadyChange) {
            return true;
        }
        if (!before && !after) {
            continue;
        }
        const bool outLeft =
            !before || change > kEdgeFactor * std::abs(left[c] - (*before)[c]) + kEdgeSlack;
        const bool outRight =
            !after || change > kEdgeFactor * std::abs((*after)[c] - right[c]) + kEdgeSlack;
        if (outLeft && outRight) {
            return true;
        }
    }
    return false;
}

// Walks the drawn steps once and hands the fit its points: the middle of every step that
// is not part of a run, the edges of runs, and both colours at an edge. False as soon as
// `take` refuses a point.
template <class Take>
bool WalkSteps(const DrawnSteps& steps, bool withEdges, Take&& take) {
    const std::int64_t first = steps.First();
    const std::int64_t last = steps.Last();
    const auto fixed = [&](double position, const Channels& color) {
        return take(AxisPoint{AxisPoint::Kind::kFixed, position, color});
    };
    std::optional<Channels> before;
    Channels current = steps.Exact(first);
    std::optional<Channels> next;
    if (first < last) {
        next = steps.Exact(first + 1);
    }
    for (std::int64_t step = first; step <= last; ++step) {
        std::optional<Channels> after;
        if (step + 2 <= last) {
            after = steps.Exact(step + 2);
        }
        const Span span = steps.SpanOf(step);
        const bool runBefore = withEdges && before && *before == current;
        const bool runAfter = withEdges && next && *next == current;
        if (step == first && runAfter && !fixed(span.first, steps.Shown(step))) {
            return false;
        }
        if (!runBefore && !runAfter &&
            !take(AxisPoint{AxisPoint::Kind::kSample, span.Middle(), current})) {
            return false;
        }
        if (withEdges && !runAfter && (next || runBefore)) {
            const bool runStarts = next && after && *after == *next;
            const bool edge = next && IsEdge(before, current, *next, after, steps.SteadyChange());
            if ((runBefore || edge) && !fixed(span.end, steps.Shown(step))) {
                return false;
            }
            if ((runStarts || edge) && !fixed(span.end, steps.Shown(step + 1))) {
                return false;
            }
        }
        before = current;
        if (next) {
            current = *next;
        }
        next = after;
    }
    return true;
}

}  // namespace

WebGradient FitWebGradient(const GradientParams& params, std::int32_t width, std::int32_t height,
                           std::size_t maxStops) {
    const DrawnSteps steps(params, width, height);
    WebGradient gradient;
    gradient.shape = steps.Shape();
    gradient.width = width;
    gradient.height = height;
    gradient.axisLength = steps.AxisLength();
    gradient.percentDecimals = PercentDecimals(gradient.axisLength);
    if (steps.First() > steps.Last()) {
        return gradient;
    }
    // Should the stops not suffice, the edges go first (a run costs two stops, a blend
    // over it fewer), then the tolerance widens.
    bool withEdges = true;
    double tolerance = kStopTolerance;
    for (int attempt = 0; attempt <= kMaxWidenings; ++attempt) {
        StopFitter fitter(tolerance, maxStops);
        const bool fitted = WalkSteps(steps, withEdges,
                                      [&](const AxisPoint& point) { return fitter.Add(point); }) &&
                            fitter.Finish();
        if (fitted) {
            gradient.stops = fitter.Stops();
            gradient.tolerance = tolerance;
            return gradient;
        }
        if (withEdges) {
            withEdges = false;
        } else {
            tolerance *= kWidening;
        }
    }
    return gradient;
}

FitError MeasureWebGradient(const GradientParams& params, const WebGradient& gradient) {
    const DrawnSteps steps(params, gradient.width, gradient.height);
    FitErrorMeter meter(gradient.stops);
    for (std::int64_t step = steps.First(); step <= steps.Last(); ++step) {
        meter.Add(steps.SpanOf(step).Middle(), steps.Exact(step));
    }
    return meter.Result();
}

}  // namespace tonzug
