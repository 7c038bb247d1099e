#include "web/ColorLineSplit.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace tonzug {
namespace {

constexpr double kChannelMax = 255.0;
// Sampled within this, a piece stays within half a level between the samples too.
constexpr double kSampledTolerance = 0.4;
constexpr int kPieceSamples = 32;
// A whole segment may ease steeply somewhere: more samples before it is kept.
constexpr int kSegmentSamples = 128;
// A jump is bridged over this width, the precision GIMP writes, rather than split for ever.
constexpr double kNarrowestPiece = 1e-6;
// The search for a piece's reach stops this close to it, as a share of the piece.
constexpr double kReachPrecision = 0.02;
// How far inside a segment its colour is taken for the limit at an end, and how far that
// may lie from the colour at the end itself before the end counts as a jump.
constexpr double kLimitStep = 1e-12;
constexpr double kJumpTolerance = 1e-6;

struct Shown {
    std::array<double, 3> premultiplied{};  // 0..255
    double alpha = 0.0;                     // 0..255
};

Shown ShownColor(const CssColor& color, ShownStage stage) {
    const double alpha = std::isfinite(color.alpha) ? std::clamp(color.alpha, 0.0, 1.0) : 0.0;
    const auto channel = [alpha](double value) {
        return (std::isfinite(value) ? value : 0.0) * alpha;
    };
    if (stage == ShownStage::kBeforeGamutMapping) {
        return {{channel(color.red * kChannelMax), channel(color.green * kChannelMax),
                 channel(color.blue * kChannelMax)},
                alpha * kChannelMax};
    }
    const RgbTriple mapped = MapIntoSrgb(color);
    const auto inside = [&](double value) { return channel(std::clamp(value, 0.0, kChannelMax)); };
    return {{inside(mapped.red), inside(mapped.green), inside(mapped.blue)}, alpha * kChannelMax};
}

bool ShowAlike(const CssColor& a, const CssColor& b, const std::vector<ShownStage>& stages) {
    return std::ranges::all_of(stages, [&](ShownStage stage) {
        return ShownDifference(a, b, stage) <= kSampledTolerance;
    });
}

double RawDifference(const CssColor& a, const CssColor& b) {
    return std::max({std::fabs(a.red - b.red), std::fabs(a.green - b.green),
                     std::fabs(a.blue - b.blue), std::fabs(a.alpha - b.alpha)});
}

// Whether drawnAt(t) stays close to colorAt along from..to, sampled at i / samples (a
// power of two), the middle first and then ever finer: a piece too long mostly shows it
// in the middle.
template <typename DrawnAt>
bool DrawsClosely(const std::function<CssColor(double)>& colorAt, double from, double to,
                  const DrawnAt& drawnAt, const std::vector<ShownStage>& stages, int samples) {
    for (int step = samples / 2; step >= 1; step /= 2) {
        for (int i = step; i < samples; i += 2 * step) {
            const double t = static_cast<double>(i) / samples;
            if (!ShowAlike(colorAt(from + (to - from) * t), drawnAt(t), stages)) {
                return false;
            }
        }
    }
    return true;
}

// Which side of a place a part of a segment lies on.
enum class PartSide { kBefore, kAfter };

// Walks the segments of a colour line and hands each part to the builder.
class LineSplitter {
  public:
    LineSplitter(const FreeGradient& gradient, double lineLength, const PieceDrawing& drawing,
                 std::optional<LineSpan> span)
        : gradient_(gradient),
          line_(gradient, lineLength),
          joints_(line_.Joints()),
          drawing_(drawing),
          span_(span) {}

    SplitLine Split() {
        if (!span_ || joints_.front() >= span_->from) {
            AddStop(joints_.front(), gradient_.stops.front().color);
        }
        for (std::size_t i = 0; i + 1 < joints_.size() && !builder_.TooMany(); ++i) {
            AddSegment(i);
        }
        if (!span_ || joints_.back() <= span_->to) {
            AddStop(joints_.back(), gradient_.stops.back().color);
        }
        SplitLine split{builder_.TakeStops(), builder_.TakeSegments()};
        if (split.stops.size() < 2) {
            // One colour all along (a span beside every stop, or all stops at one place).
            const double from = span_ ? span_->from : joints_.front();
            const double to = span_ ? span_->to : joints_.back();
            split.stops = {{drawing_.written(line_.At(from)), LinePosition{Out(from)}},
                           {drawing_.written(line_.At(to)), LinePosition{Out(to)}}};
            split.segments = {StopSegment{}};
        }
        return split;
    }

  private:
    double Out(double position) const {
        return span_ ? (position - span_->from) / (span_->to - span_->from) : position;
    }
    double In(double position) const {
        return span_ ? span_->from + position * (span_->to - span_->from) : position;
    }

    void AddStop(double position, const CssColor& color) {
        builder_.AddStop(Out(position), drawing_.written(color));
    }

    // The colour at `within` of the segment as a part on that side of it sees it: where the
    // segment jumps there, the colour it jumps to.
    CssColor Limit(std::size_t segment, double within, PartSide side) const {
        CssColor at = line_.InSegment(segment, within);
        if (within == 0.0 || within == 1.0) {
            at = gradient_.stops[segment + (within == 0.0 ? 0 : 1)].color;
        }
        const double step = side == PartSide::kAfter ? kLimitStep : -kLimitStep;
        const CssColor inside = line_.InSegment(segment, within + step);
        return RawDifference(at, inside) > kJumpTolerance ? inside : at;
    }

    void AddSegment(std::size_t segment) {
        const double start = joints_[segment];
        const double end = joints_[segment + 1];
        const double from = span_ ? std::max(start, span_->from) : start;
        const double to = span_ ? std::min(end, span_->to) : end;
        if (!(to > from) || !(end > start)) {
            return;
        }
        const double length = end - start;
        const auto within = [&](double position) {
            return std::clamp((position - start) / length, 0.0, 1.0);
        };
        const std::function<CssColor(double)> colorAt = [&](double position) {
            return line_.InSegment(segment, within(In(position)));
        };
        const FreeColorLine::Segment& shape = line_.SegmentAt(segment);
        if (from == start && to == end && KeepWhole(segment, colorAt)) {
            return;
        }
        // Split where the easing bends or jumps, at its midpoint.
        std::vector<double> cuts{from};
        const double bend = start + shape.midpoint * length;
        if (shape.easing != Easing::kCurved && bend > from && bend < to) {
            cuts.push_back(bend);
        }
        cuts.push_back(to);
        for (std::size_t i = 0; i + 1 < cuts.size(); ++i) {
            builder_.AddPieces(colorAt, Out(cuts[i]),
                               Limit(segment, within(cuts[i]), PartSide::kAfter), Out(cuts[i + 1]),
                               Limit(segment, within(cuts[i + 1]), PartSide::kBefore), drawing_);
        }
    }

    // The segment as one, when the drawing eases it alike and draws it closely enough.
    bool KeepWhole(std::size_t segment, const std::function<CssColor(double)>& colorAt) {
        const FreeColorLine::Segment& shape = line_.SegmentAt(segment);
        if (!drawing_.easesAlike(shape)) {
            return false;
        }
        const CssColor from = drawing_.written(gradient_.stops[segment].color);
        const CssColor to = drawing_.written(gradient_.stops[segment + 1].color);
        const std::function<CssColor(double)> blend = drawing_.blend(from, to);
        const double start = joints_[segment];
        const double end = joints_[segment + 1];
        const auto eased = [&](double t) {
            return blend(EasedFraction(shape.easing, shape.midpoint, t));
        };
        if (!DrawsClosely(colorAt, Out(start), Out(end), eased, drawing_.stages, kSegmentSamples)) {
            return false;
        }
        std::optional<LinePosition> midpoint;
        if (shape.midpoint != FreeColorLine::Segment{}.midpoint) {
            midpoint = LinePosition{
                std::clamp(Out(start + shape.midpoint * (end - start)), Out(start), Out(end))};
        }
        builder_.Add(Out(start), from, Out(end), to, {shape.easing, midpoint});
        return true;
    }

    const FreeGradient& gradient_;
    FreeColorLine line_;
    std::vector<double> joints_;
    const PieceDrawing& drawing_;
    std::optional<LineSpan> span_;
    ColorLineBuilder builder_;
};

}  // namespace

double ShownDifference(const CssColor& a, const CssColor& b, ShownStage stage) {
    const Shown first = ShownColor(a, stage);
    const Shown second = ShownColor(b, stage);
    const double alpha = first.alpha - second.alpha;
    double largest = std::fabs(alpha);
    for (std::size_t i = 0; i < first.premultiplied.size(); ++i) {
        // Over a black backdrop the premultiplied channel shows, over white that less alpha.
        const double channel = first.premultiplied[i] - second.premultiplied[i];
        largest = std::max({largest, std::fabs(channel), std::fabs(channel - alpha)});
    }
    return largest;
}

void ColorLineBuilder::AddStop(double position, const CssColor& color) {
    if (!stops_.empty() && stops_.back().color == color &&
        stops_.back().position->fraction == position) {
        return;
    }
    if (!stops_.empty()) {
        segments_.emplace_back();
    }
    stops_.push_back({color, LinePosition{position, 0.0}});
}

void ColorLineBuilder::Add(double from, const CssColor& fromColor, double to,
                           const CssColor& toColor, const StopSegment& segment) {
    AddStop(from, fromColor);
    segments_.push_back(segment);
    stops_.push_back({toColor, LinePosition{to, 0.0}});
}

void ColorLineBuilder::AddPieces(const std::function<CssColor(double)>& colorAt, double from,
                                 const CssColor& fromColor, double to, const CssColor& toColor,
                                 const PieceDrawing& drawing) {
    double start = from;
    CssColor startColor = fromColor;
    double width = to - from;
    while (start < to && !TooMany()) {
        const CssColor written = drawing.written(startColor);
        const auto endColor = [&](double end) { return end >= to ? toColor : colorAt(end); };
        const auto fits = [&](double end) {
            const std::function<CssColor(double)> blend =
                drawing.blend(written, drawing.written(endColor(end)));
            return DrawsClosely(colorAt, start, end, blend, drawing.stages, kPieceSamples);
        };
        // The farthest end that fits, searched from the last piece's width: a narrowest
        // piece always goes, the end of the part may not.
        double reach = std::min(to, std::max(start + kNarrowestPiece, std::nextafter(start, to)));
        double beyond = to;
        if (fits(to)) {
            reach = to;
        } else {
            for (double end = start + width; end > reach && end < beyond;) {
                if (fits(end)) {
                    reach = end;
                    end = start + 2.0 * (end - start);
                } else {
                    beyond = end;
                    end = start + (end - start) / 2.0;
                }
            }
            while (beyond - reach > std::max(kNarrowestPiece, kReachPrecision * (reach - start))) {
                const double middle = (reach + beyond) / 2.0;
                (fits(middle) ? reach : beyond) = middle;
            }
        }
        const CssColor reachColor = endColor(reach);
        Add(start, written, reach, drawing.written(reachColor), {});
        width = reach - start;
        start = reach;
        startColor = reachColor;
    }
}

SplitLine SplitColorLine(const FreeGradient& gradient, double lineLength,
                         const PieceDrawing& drawing, std::optional<LineSpan> span) {
    if (gradient.stops.size() < 2) {
        return {};
    }
    return LineSplitter(gradient, lineLength, drawing, span).Split();
}

}  // namespace tonzug
