#pragma once

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <span>
#include <vector>

#include "color/CssColor.h"
#include "color/CssInterpolation.h"
#include "render/FreeGradient.h"

namespace tonzug {

// The stops of a free gradient laid out on its line, positions in line units (0 at the
// start, 1 at the end of the gradient line), fixed up as CSS Images 4 does: a first and
// last stop without a position go to 0 and 1, a position below an earlier one is raised
// to it, and stops without one are spaced evenly between the places around them, a colour hint
// counting as one, as browsers draw it.
class FreeColorLine {
  public:
    // How a segment eases, its midpoint fixed up to a share of the segment.
    struct Segment {
        Easing easing = Easing::kLinear;
        double midpoint = 0.5;  // within the segment, 0 .. 1
    };

    // lineLength: the gradient line in pixels (linear, radial) or 360 (conic), against
    // which the absolute parts of the positions count.
    FreeColorLine(const FreeGradient& gradient, double lineLength);

    double First() const { return stops_.front().position; }
    double Last() const { return stops_.back().position; }
    // Whether the colour line repeats beyond its first and last stop.
    bool Repeats() const { return repeating_ && Last() > First(); }

    // The colour at a position, straight alpha, before any gamut mapping. Before the first
    // stop the first colour, after the last the last one (a repeating line is brought
    // into its period first). Where several stops share a position, the last one's colour
    // holds from there on.
    CssColor At(double position) const;

    // The positions where the colour jumps or a segment changes: between two neighbours
    // of this list the colour is one smooth blend.
    std::vector<double> Joints() const;

    // A repeating line brought into First() .. Last().
    double Wrapped(double position) const {
        if (!Repeats()) {
            return position;
        }
        const double period = Last() - First();
        return WrappedBy(RemainderOf(position - First(), period), First(), period);
    }
    // Wrapped() of each position, in vector code.
    void WrapEach(std::span<const double> positions, std::span<double> wrapped) const;

    // Segment i lies between Joints()[i] and Joints()[i + 1].
    const Segment& SegmentAt(std::size_t segment) const { return segments_[segment]; }
    // The colour at `within` 0 .. 1 of a segment, both ends included, for its own blend
    // where At() would give the next segment's colour at a shared position.
    CssColor InSegment(std::size_t segment, double within) const { return Blend(segment, within); }

  private:
    struct Stop {
        double position = 0.0;
        CssColor color;
    };
    CssColor Blend(std::size_t segment, double within) const;
    // The wrapped position of a remainder of the period, the sign of the position's.
    static double WrappedBy(double offset, double first, double period) {
        return first + (offset < 0.0 ? offset + period : offset);
    }
    // std::fmod(x, period) to the bit, without its slow loop where the quotient is small:
    // the quotient times the period split into halves of 26 and 27 bits is exact, and so is
    // taking the two products away (the first is within a factor 2 of x, the rest is the
    // exact remainder) when the quotient is right; a wrong one leaves the result outside
    // the remainder's range. Without branches, so that loops over it become vector code;
    // NaN where std::fmod has to answer instead.
    [[gnu::always_inline]] static double QuickRemainderOf(double x, double period,
                                                          double periodHigh, double periodLow) {
        constexpr double kExactQuotients = 67108864.0;  // 2^26
        const double ratio = x / period;
        const bool small = std::abs(ratio) < kExactQuotients;
        // Truncated by the conversion, which needs no library call; bounded first (NaN to
        // the lower bound), so that every lane converts a number in range.
        const double bounded = std::max(-kExactQuotients, std::min(ratio, kExactQuotients));
        const auto quotient = static_cast<double>(static_cast<std::int32_t>(bounded));
        const double remainder = (x - quotient * periodHigh) - quotient * periodLow;
        const bool positive = x >= 0.0;
        // Bitwise, not short-circuit, operators keep the loops free of branches.
        const bool inRange = (positive & (remainder >= 0.0) & (remainder < period)) |
                             (!positive & (remainder <= 0.0) & (remainder > -period));
        const double signedZero = std::copysign(0.0, x);
        const double exact = remainder == 0.0 ? signedZero : remainder;
        return (small & inRange) ? exact : std::numeric_limits<double>::quiet_NaN();
    }
    double RemainderOf(double x, double period) const {
        const double quick = QuickRemainderOf(x, period, periodHigh_, periodLow_);
        return std::isnan(quick) ? std::fmod(x, period) : quick;
    }
    // A stop's colour as its segment's blend takes it: opaque when alpha blends apart.
    CssColor BlendEnd(const CssColor& stop) const;

    std::vector<Stop> stops_;
    std::vector<Segment> segments_;
    // The blend of each segment's two colours, their conversions made once.
    std::vector<CssBlend> blends_;
    bool repeating_ = false;
    // The period in two parts whose products with a quotient below 2^26 are exact.
    double periodHigh_ = 0.0;
    double periodLow_ = 0.0;
    // GIMP blends alpha apart from the colour; CSS premultiplies.
    bool straightAlpha_ = false;
};

// How far along a segment the colour is, 0 .. 1, for a place `within` 0 .. 1 of the
// segment: GIMP's blend functions, the midpoint being where the colour is half way.
double EasedFraction(Easing easing, double midpoint, double within);

}  // namespace tonzug
