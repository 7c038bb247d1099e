#include "web/FreeSvgLine.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "color/CssColor.h"
#include "web/WebGradient.h"

namespace tonzug {
namespace {

constexpr double kLevelMax = 255.0;
// Far more samples than any picture side has pixels; a line of tiny periods is sampled
// no finer than this.
constexpr double kMaxSamples = double{1 << 22};
// Joints nearer than this share of the part are one.
constexpr double kSameJoint = 1e-12;
// Each retry widens the tolerance by this factor.
constexpr double kWidening = 2.0;
constexpr int kMaxWidenings = 16;

using Point = AxisPointOf<kAlphaChannels>;

// The joints strictly inside `from` .. `to`, each period's of a repeating line.
std::vector<double> JointsWithin(const FreeColorLine& line, double from, double to) {
    std::vector<double> inside;
    const double period = line.Last() - line.First();
    for (const double joint : line.Joints()) {
        if (!line.Repeats()) {
            if (joint > from && joint < to) {
                inside.push_back(joint);
            }
            continue;
        }
        for (double at = joint + std::ceil((from - joint) / period) * period; at < to;
             at += period) {
            if (at > from) {
                inside.push_back(at);
            }
        }
    }
    std::sort(inside.begin(), inside.end());
    const double near = (to - from) * kSameJoint;
    inside.erase(std::unique(inside.begin(), inside.end(),
                             [near](double a, double b) { return b - a <= near; }),
                 inside.end());
    return inside;
}

// The colour just before a place, where a jump has not happened yet.
AlphaChannels ShownBefore(const FreeColorLine& line, double position) {
    return ShownColor(line, std::nextafter(position, -std::numeric_limits<double>::infinity()));
}

// Hands the fit its points in order; false as soon as `take` refuses one.
template <class Take>
bool WalkLine(const FreeColorLine& line, double from, double to, double samplesPerUnit,
              Take&& take) {
    const auto fixed = [&](double position, const AlphaChannels& color) {
        return take(Point{Point::Kind::kFixed, position, color});
    };
    const auto joint = [&](double position) {
        const AlphaChannels before = ShownBefore(line, position);
        const AlphaChannels after = ShownColor(line, position);
        return fixed(position, before) && (after == before || fixed(position, after));
    };
    if (!fixed(from, ShownColor(line, from))) {
        return false;
    }
    const std::vector<double> joints = JointsWithin(line, from, to);
    const double count = std::clamp(std::ceil((to - from) * samplesPerUnit), 1.0, kMaxSamples);
    const double step = (to - from) / count;
    std::size_t next = 0;
    for (double i = 1.0; i < count; i += 1.0) {
        const double position = from + step * i;
        bool onJoint = false;
        for (; next < joints.size() && joints[next] <= position; ++next) {
            onJoint = joints[next] == position;
            if (!joint(joints[next])) {
                return false;
            }
        }
        if (!onJoint && !take(Point{Point::Kind::kSample, position, ShownColor(line, position)})) {
            return false;
        }
    }
    for (; next < joints.size(); ++next) {
        if (!joint(joints[next])) {
            return false;
        }
    }
    return fixed(to, ShownBefore(line, to));
}

}  // namespace

AlphaChannels ShownColor(const FreeColorLine& line, double position) {
    const CssColor color = line.At(position);
    const RgbTriple mapped = MapIntoSrgb(color);
    const auto level = [](double value) {
        return std::isfinite(value) ? std::clamp(value, 0.0, kLevelMax) : 0.0;
    };
    return {level(mapped.red), level(mapped.green), level(mapped.blue),
            level(color.alpha * kLevelMax)};
}

LineStops FitLineStops(const FreeColorLine& line, double from, double to, double samplesPerUnit,
                       std::size_t maxStops) {
    LineStops fitted;
    double tolerance = kStopTolerance;
    for (int attempt = 0; attempt <= kMaxWidenings; ++attempt, tolerance *= kWidening) {
        AlphaStopFitter fitter(tolerance, maxStops);
        const bool done = WalkLine(line, from, to, samplesPerUnit,
                                   [&](const Point& point) { return fitter.Add(point); }) &&
                          fitter.Finish();
        if (done) {
            fitted.stops = fitter.Stops();
            fitted.tolerance = tolerance;
            break;
        }
    }
    return fitted;
}

}  // namespace tonzug
