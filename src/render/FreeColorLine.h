#pragma once

#include <cmath>
#include <cstddef>
#include <cstdint>
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

    // A repeating line brought into First() .. Last(). Inline, as pixel loops call it.
    double Wrapped(double position) const {
        if (!Repeats()) {
            return position;
        }
        const double period = Last() - First();
        const double offset = RemainderOf(position - First(), period);
        return First() + (offset < 0.0 ? offset + period : offset);
    }

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
    // std::fmod(x, period) to the bit, without its slow loop where the quotient is small:
    // the quotient times the period split into halves of 26 and 27 bits is exact, and so is
    // taking the two products away (the first is within a factor 2 of x, the rest is the
    // exact remainder) when the quotient is right; a wrong one leaves the result outside
    // the remainder's range.
    double RemainderOf(double x, double period) const {
        constexpr double kExactQuotients = 67108864.0;  // 2^26
        const double ratio = x / period;
        if (std::abs(ratio) < kExactQuotients) {
            // Truncated by the conversion, which needs no library call.
            const auto quotient = static_cast<double>(static_cast<std::int64_t>(ratio));
            const double remainder = (x - quotient * periodHigh_) - quotient * periodLow_;
            const bool inRange = x >= 0.0 ? (remainder >= 0.0 && remainder < period)
                                          : (remainder <= 0.0 && remainder > -period);
            if (inRange) {
                return remainder == 0.0 ? std::copysign(0.0, x) : remainder;
            }
        }
        return std::fmod(x, period);
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
