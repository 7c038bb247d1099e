#include "render/FreeColorLine.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace tonzug {
namespace {

// A midpoint this close to a segment's end leaves the whole segment to one colour.
constexpr double kMidpointEpsilon = 1e-10;

double Resolve(const LinePosition& position, double lineLength) {
    const double absolute = lineLength > 0.0 ? position.absolute / lineLength : 0.0;
    return position.fraction + absolute;
}

// The linear factor of a segment whose colour is half way at `midpoint`.
double LinearFactor(double midpoint, double within) {
    if (within <= midpoint) {
        return midpoint < kMidpointEpsilon ? 0.5 : 0.5 * within / midpoint;
    }
    const double rest = 1.0 - midpoint;
    return rest < kMidpointEpsilon ? 1.0 : 0.5 + 0.5 * (within - midpoint) / rest;
}

}  // namespace

double EasedFraction(Easing easing, double midpoint, double within) {
    switch (easing) {
        case Easing::kLinear:
            return LinearFactor(midpoint, within);
        case Easing::kCurved:
            // CSS's colour hint: a hint at the start or end gives the segment to one colour.
            if (midpoint <= kMidpointEpsilon) {
                return within > 0.0 ? 1.0 : 0.0;
            }
            if (midpoint >= 1.0 - kMidpointEpsilon) {
                return within >= 1.0 ? 1.0 : 0.0;
            }
            return std::pow(within, std::log(0.5) / std::log(midpoint));
        case Easing::kSine: {
            const double factor = LinearFactor(midpoint, within);
            return (std::sin(-std::numbers::pi / 2.0 + std::numbers::pi * factor) + 1.0) / 2.0;
        }
        case Easing::kSphereIncreasing: {
            const double factor = LinearFactor(midpoint, within) - 1.0;
            return std::sqrt(std::max(0.0, 1.0 - factor * factor));
        }
        case Easing::kSphereDecreasing: {
            const double factor = LinearFactor(midpoint, within);
            return 1.0 - std::sqrt(std::max(0.0, 1.0 - factor * factor));
        }
        case Easing::kStep:
            return within >= midpoint ? 1.0 : 0.0;
    }
    return within;
}

FreeColorLine::FreeColorLine(const FreeGradient& gradient, double lineLength)
    : repeating_(gradient.repeating), straightAlpha_(gradient.alphaBlend == AlphaBlend::kStraight) {
    const std::size_t count = gradient.stops.size();
    stops_.resize(std::max<std::size_t>(count, 1));
    if (count == 0) {
        return;
    }
    // Positions as given, stops and hints in one list, in order; NaN marks none.
    const double none = std::numeric_limits<double>::quiet_NaN();
    std::vector<double> stopAt(count, none);
    std::vector<double> hintAt(count, none);
    for (std::size_t i = 0; i < count; ++i) {
        if (gradient.stops[i].position) {
            stopAt[i] = Resolve(*gradient.stops[i].position, lineLength);
        }
        if (i + 1 < count && i < gradient.segments.size() && gradient.segments[i].midpoint) {
            hintAt[i] = Resolve(*gradient.segments[i].midpoint, lineLength);
        }
    }
    if (std::isnan(stopAt.front())) {
        stopAt.front() = 0.0;
    }
    if (std::isnan(stopAt.back())) {
        stopAt.back() = 1.0;
    }
    double largest = -std::numeric_limits<double>::infinity();
    for (std::size_t i = 0; i < count; ++i) {
        if (!std::isnan(stopAt[i])) {
            stopAt[i] = largest = std::max(largest, stopAt[i]);
        }
        if (!std::isnan(hintAt[i])) {
            hintAt[i] = largest = std::max(largest, hintAt[i]);
        }
    }
    // Runs without positions, evenly between the places around them: a hint counts as such
    // a place, as browsers draw it.
    std::vector<double*> places;
    for (std::size_t i = 0; i < count; ++i) {
        places.push_back(&stopAt[i]);
        if (!std::isnan(hintAt[i])) {
            places.push_back(&hintAt[i]);
        }
    }
    for (std::size_t i = 1; i < places.size(); ++i) {
        if (!std::isnan(*places[i])) {
            continue;
        }
        std::size_t end = i;
        while (std::isnan(*places[end])) {
            ++end;
        }
        const double from = *places[i - 1];
        const double step = (*places[end] - from) / static_cast<double>(end - i + 1);
        for (std::size_t k = i; k < end; ++k) {
            *places[k] = from + step * static_cast<double>(k - i + 1);
        }
        i = end;
    }
    for (std::size_t i = 0; i < count; ++i) {
        stops_[i] = {stopAt[i], gradient.stops[i].color};
    }
    // Veltkamp's split of the period into a high half of 26 bits and the rest.
    constexpr double kSplitter = 134217729.0;  // 2^27 + 1
    const double period = Last() - First();
    const double scaled = kSplitter * period;
    periodHigh_ = scaled - (scaled - period);
    periodLow_ = period - periodHigh_;
    segments_.resize(count - 1);
    blends_.reserve(count - 1);
    for (std::size_t i = 0; i + 1 < count; ++i) {
        blends_.emplace_back(BlendEnd(stops_[i].color), BlendEnd(stops_[i + 1].color),
                             gradient.interpolation);
        Segment& segment = segments_[i];
        if (i < gradient.segments.size()) {
            segment.easing = gradient.segments[i].easing;
        }
        const double length = stopAt[i + 1] - stopAt[i];
        if (!std::isnan(hintAt[i]) && length > 0.0) {
            segment.midpoint = std::clamp((hintAt[i] - stopAt[i]) / length, 0.0, 1.0);
        }
    }
}

CssColor FreeColorLine::BlendEnd(const CssColor& stop) const {
    if (!straightAlpha_) {
        return stop;
    }
    CssColor opaque = stop;
    opaque.alpha = 1.0;
    return opaque;
}

[[gnu::target_clones("avx2", "default")]] void FreeColorLine::WrapEach(
    std::span<const double> positions, std::span<double> wrapped) const {
    const std::size_t count = std::min(positions.size(), wrapped.size());
    if (!Repeats()) {
        std::copy_n(positions.begin(), count, wrapped.begin());
        return;
    }
    // NaN marks the few that std::fmod answers, one by one afterwards. The members in
    // locals, which the writes cannot change, so that the loop becomes vector code.
    const double first = First();
    const double period = Last() - first;
    const double periodHigh = periodHigh_;
    const double periodLow = periodLow_;
    const double* from = positions.data();
    double* to = wrapped.data();
    for (std::size_t i = 0; i < count; ++i) {
        to[i] = WrappedBy(QuickRemainderOf(from[i] - first, period, periodHigh, periodLow), first,
                          period);
    }
    for (std::size_t i = 0; i < count; ++i) {
        if (std::isnan(wrapped[i])) {
            wrapped[i] = Wrapped(positions[i]);
        }
    }
}

CssColor FreeColorLine::At(double position) const {
    position = Wrapped(position);
    if (!(position >= First())) {
        return stops_.front().color;
    }
    if (position >= Last()) {
        return stops_.back().color;
    }
    // The first stop beyond the position; the segment before it holds the position.
    const auto beyond =
        std::upper_bound(stops_.begin(), stops_.end(), position,
                         [](double value, const Stop& stop) { return value < stop.position; });
    const auto index = static_cast<std::size_t>(beyond - stops_.begin()) - 1;
    const double length = stops_[index + 1].position - stops_[index].position;
    return Blend(index, (position - stops_[index].position) / length);
}

CssColor FreeColorLine::Blend(std::size_t segment, double within) const {
    const Segment& shape = segments_[segment];
    const double fraction = EasedFraction(shape.easing, shape.midpoint, within);
    CssColor color = blends_[segment].At(fraction);
    if (straightAlpha_) {
        const double from = stops_[segment].color.alpha;
        color.alpha = from + (stops_[segment + 1].color.alpha - from) * fraction;
    }
    return color;
}

std::vector<double> FreeColorLine::Joints() const {
    std::vector<double> joints;
    joints.reserve(stops_.size());
    for (const Stop& stop : stops_) {
        joints.push_back(stop.position);
    }
    return joints;
}

}  // namespace tonzug
