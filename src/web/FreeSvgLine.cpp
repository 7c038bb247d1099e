#include "web/FreeSvgLine.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "color/CssColor.h"
#include "web/WebGradient.h"

namespace tonzug {
namespace {

constexpr double kLevelMax = 255.0;
// Samples fainter than this alpha level count as this faint: their colour may be off
// by any amount, but by a finite one.
constexpr double kFaintest = 0.5;
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

// The renderer blends colour and alpha straight: the colour of a sample of alpha a (of
// 255) may be 255 / a times as far off for the same error in the colour it shows over
// any background, premultiplied. (rsvg-convert, through cairo and pixman, blends stop
// colours and stop-opacity each on its own, not premultiplied, and keeps its pixels
// premultiplied in 8 bits.)
double ColorSlack(const AlphaChannels& shown) {
    return kLevelMax / std::max(shown[3], kFaintest);
}

// The colour just before a place, where a jump has not happened yet.
AlphaChannels ShownBefore(const FreeColorLine& line, double position) {
    return ShownColor(line, std::nextafter(position, -std::numeric_limits<double>::infinity()));
}

// A fully transparent stop's colour is that of the line beside it, on the stop's side, so
// that the straight blend away from it keeps the colour as a premultiplied one does.
AlphaChannels Faded(AlphaChannels stop, const AlphaChannels& beside) {
    if (stop[3] == 0.0) {
        std::copy_n(beside.begin(), kColorChannels, stop.begin());
    }
    return stop;
}

// Hands the fit its points in order; false as soon as `take` refuses one.
template <class Take>
bool WalkLine(const FreeColorLine& line, double from, double to, double samplesPerUnit,
              Take&& take) {
    const double count = std::clamp(std::ceil((to - from) * samplesPerUnit), 1.0, kMaxSamples);
    const double step = (to - from) / count;
    const auto fixed = [&](double position, const AlphaChannels& color) {
        return take(Point{Point::Kind::kFixed, position, color});
    };
    const auto before = [&](double position) {
        return Faded(ShownBefore(line, position), ShownColor(line, position - step / 2.0));
    };
    const auto after = [&](double position) {
        return Faded(ShownColor(line, position), ShownColor(line, position + step / 2.0));
    };
    const auto joint = [&](double position) {
        const AlphaChannels left = before(position);
        const AlphaChannels right = after(position);
        return fixed(position, left) && (right == left || fixed(position, right));
    };
    if (!fixed(from, after(from))) {
        return false;
    }
    const std::vector<double> joints = JointsWithin(line, from, to);
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
        const AlphaChannels shown = ShownColor(line, position);
        if (!onJoint && !take(Point{Point::Kind::kSample, position, shown, ColorSlack(shown)})) {
            return false;
        }
    }
    for (; next < joints.size(); ++next) {
        if (!joint(joints[next])) {
            return false;
        }
    }
    return fixed(to, before(to));
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
