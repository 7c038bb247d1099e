#include "workspace/StopsBar.h"

#include <algorithm>
#include <cmath>

#include "color/ColorText.h"
#include "render/FreeColorLine.h"
#include "render/FreeShapes.h"
#include "support/Numbers.h"
#include "web/SvgText.h"
#include "workspace/GradientEdit.h"

namespace tonzug {
namespace {

constexpr double kFineSteps = 1000.0;
constexpr double kPercentSteps = 100.0;
// Places in pixels are kept on half pixels, where the classic layout puts its stops.
constexpr double kHalfPixels = 2.0;
constexpr double kHalfPixel = 0.5;

// Whether a place is given in pixels (from the start, or from the end or the middle by a
// calc() sum): such places keep to the pixel grid.
bool InPixels(const LinePosition& position) {
    return position.absolute != 0.0;
}

// A marker's stops with the segments inside its band and the one toward the next marker.
struct Piece {
    std::vector<ColorStop> stops;
    std::vector<StopSegment> inside;
    StopSegment after;
};

std::vector<Piece> PiecesOf(const FreeGradient& gradient, const std::vector<StopMarker>& markers) {
    std::vector<Piece> pieces;
    for (const StopMarker& marker : markers) {
        Piece piece;
        for (std::size_t i = marker.firstStop; i <= marker.lastStop; ++i) {
            piece.stops.push_back(gradient.stops[i]);
            if (i < marker.lastStop) {
                piece.inside.push_back(gradient.segments[i]);
            }
        }
        if (marker.lastStop < gradient.segments.size()) {
            piece.after = gradient.segments[marker.lastStop];
        }
        pieces.push_back(std::move(piece));
    }
    return pieces;
}

FreeGradient Joined(const FreeGradient& like, const std::vector<Piece>& pieces) {
    FreeGradient joined = like;
    joined.stops.clear();
    joined.segments.clear();
    for (std::size_t k = 0; k < pieces.size(); ++k) {
        const Piece& piece = pieces[k];
        joined.stops.insert(joined.stops.end(), piece.stops.begin(), piece.stops.end());
        joined.segments.insert(joined.segments.end(), piece.inside.begin(), piece.inside.end());
        if (k + 1 < pieces.size()) {
            joined.segments.push_back(piece.after);
        }
    }
    return joined;
}

// A hint outside its segment would push the stops after it; it goes.
void DropStrayHints(std::vector<Piece>& pieces, double lineLength) {
    const auto placeOf = [lineLength](const LinePosition& position) {
        return position.fraction + position.absolute / lineLength;
    };
    for (std::size_t k = 0; k + 1 < pieces.size(); ++k) {
        const std::optional<LinePosition>& hint = pieces[k].after.midpoint;
        const std::optional<LinePosition>& from = pieces[k].stops.back().position;
        const std::optional<LinePosition>& to = pieces[k + 1].stops.front().position;
        if (hint && from && to &&
            !(placeOf(*from) < placeOf(*hint) && placeOf(*hint) < placeOf(*to))) {
            pieces[k].after.midpoint.reset();
        }
    }
}

double Snapped(double place, PlaceSnap snap) {
    const double steps = snap == PlaceSnap::kPercent ? kPercentSteps : kFineSteps;
    return std::clamp(std::round(place * steps) / steps, 0.0, 1.0);
}

// "40", "40,5": the user's decimal point, one decimal where it shows.
std::string PercentText(double place) {
    std::string text = DecimalText(place * kPercentSteps, 1);
    std::replace(text.begin(), text.end(), '.', UserNumberFormat().decimalPoint);
    return text + " %";
}

}  // namespace

void StopsBar::Refresh() {
    gradient_ = EditedGradient(form_);
    const GradientParams params = form_.Gather();
    const double length = FreePlacement(gradient_, RoundToInt32(params.width).value_or(0),
                                        RoundToInt32(params.height).value_or(0))
                              .LineLength();
    lineLength_ = length > 0.0 && std::isfinite(length) ? length : 1.0;
    const FreeColorLine line(gradient_, lineLength_);
    const std::vector<double> joints = line.Joints();
    markers_.clear();
    hints_.clear();
    const std::size_t count = std::min(gradient_.stops.size(), joints.size());
    for (std::size_t i = 0; i < count; ++i) {
        StopMarker marker{i, i, joints[i], joints[i], gradient_.stops[i].color};
        if (i + 1 < count && gradient_.stops[i + 1].color == marker.color) {
            marker.lastStop = ++i;
            marker.bandEnd = joints[i];
        }
        markers_.push_back(marker);
    }
    for (std::size_t m = 0; m + 1 < markers_.size(); ++m) {
        const std::size_t segment = SegmentAfter(m);
        const double from = joints[segment];
        hints_.push_back(
            {segment, from + line.SegmentAt(segment).midpoint * (joints[segment + 1] - from)});
    }
}

CssColor StopsBar::ColorAt(double place) const {
    return FreeColorLine(gradient_, lineLength_).At(place);
}

std::vector<CssColor> StopsBar::ColorsAlong(int count) const {
    const FreeColorLine line(gradient_, lineLength_);
    std::vector<CssColor> colors;
    for (int i = 0; i < count; ++i) {
        colors.push_back(line.At((i + 0.5) / count));
    }
    return colors;
}

LinePosition StopsBar::PositionFor(const std::optional<LinePosition>& like, double place) const {
    if (like && InPixels(*like)) {
        return {0.0, std::round(place * lineLength_ * kHalfPixels) / kHalfPixels};
    }
    return {place, 0.0};
}

void StopsBar::Apply(const FreeGradient& gradient) {
    ApplyEditedGradient(form_, gradient);
    Refresh();
}

std::size_t StopsBar::AddStop(double place) {
    place = Snapped(place, PlaceSnap::kFine);
    // After the last marker that lies before the place.
    std::size_t before = 0;
    while (before < markers_.size() && markers_[before].place <= place) {
        ++before;
    }
    std::vector<Piece> pieces = PiecesOf(gradient_, markers_);
    Piece added;
    const std::optional<LinePosition>& like =
        gradient_.stops[markers_[before > 0 ? before - 1 : 0].firstStop].position;
    added.stops.push_back({ColorAt(place), PositionFor(like, place)});
    if (before > 0) {
        // The segment it splits keeps its easing on both sides, without its hint.
        added.after = pieces[before - 1].after;
        added.after.midpoint.reset();
        pieces[before - 1].after.midpoint.reset();
    }
    pieces.insert(pieces.begin() + static_cast<std::ptrdiff_t>(before), added);
    Apply(Joined(gradient_, pieces));
    return before;
}

std::size_t StopsBar::MoveMarker(std::size_t marker, double place, PlaceSnap snap) {
    return MoveTo(marker, Snapped(place, snap));
}

std::size_t StopsBar::NudgeMarker(std::size_t marker, double pixels) {
    return MoveTo(marker, markers_[marker].place + pixels / lineLength_);
}

std::size_t StopsBar::MoveTo(std::size_t marker, double place) {
    std::vector<Piece> pieces = PiecesOf(gradient_, markers_);
    Piece moved = pieces[marker];
    const StopMarker& was = markers_[marker];
    const double width = was.bandEnd - was.place;
    for (std::size_t k = 0; k < moved.stops.size(); ++k) {
        ColorStop& stop = moved.stops[k];
        // Places in pixels move by whole pixels, so that they keep the pixel grid the
        // classic layout puts them on.
        if (stop.position && InPixels(*stop.position)) {
            stop.position->absolute += std::round((place - was.place) * lineLength_);
        } else {
            stop.position = LinePosition{k == 0 ? place : place + width, 0.0};
        }
    }
    pieces.erase(pieces.begin() + static_cast<std::ptrdiff_t>(marker));
    std::size_t to = 0;
    while (to < pieces.size() && (to < marker ? markers_[to] : markers_[to + 1]).place <= place) {
        ++to;
    }
    if (to != marker) {
        // Passing a neighbour: the segment after it is a new one.
        moved.after = {};
    }
    pieces.insert(pieces.begin() + static_cast<std::ptrdiff_t>(to), moved);
    DropStrayHints(pieces, lineLength_);
    Apply(Joined(gradient_, pieces));
    return to;
}

bool StopsBar::RemoveMarker(std::size_t marker) {
    if (markers_.size() <= 2 || marker >= markers_.size()) {
        return false;
    }
    std::vector<Piece> pieces = PiecesOf(gradient_, markers_);
    pieces.erase(pieces.begin() + static_cast<std::ptrdiff_t>(marker));
    DropStrayHints(pieces, lineLength_);
    Apply(Joined(gradient_, pieces));
    return true;
}

void StopsBar::SetMarkerColor(std::size_t marker, const CssColor& color) {
    FreeGradient changed = gradient_;
    for (std::size_t i = markers_[marker].firstStop; i <= markers_[marker].lastStop; ++i) {
        changed.stops[i].color = color;
    }
    Apply(changed);
}

void StopsBar::MoveHint(std::size_t segment, double place) {
    FreeGradient changed = gradient_;
    const FreeColorLine line(gradient_, lineLength_);
    const std::vector<double> joints = line.Joints();
    place = std::clamp(place, joints[segment], joints[segment + 1]);
    const std::optional<LinePosition>& like = gradient_.stops[segment].position;
    // In pixels: the centre of the pixel before the one the place rounds to, where the
    // classic middle lies for a middle at that place.
    changed.segments[segment].midpoint =
        like && InPixels(*like) ? LinePosition{0.0, std::round(place * lineLength_) - kHalfPixel}
                                : LinePosition{place, 0.0};
    Apply(changed);
}

void StopsBar::SetEasing(std::size_t segment, Easing easing) {
    FreeGradient changed = gradient_;
    changed.segments[segment].easing = easing;
    Apply(changed);
}

void StopsBar::MakeHardBand(std::size_t marker) {
    if (markers_.size() < 2) {
        return;
    }
    std::vector<Piece> pieces = PiecesOf(gradient_, markers_);
    Piece& piece = pieces[marker];
    const bool last = marker + 1 == markers_.size();
    const double from = last ? markers_[marker - 1].bandEnd : markers_[marker].place;
    const double to = last ? markers_[marker].bandEnd : markers_[marker + 1].place;
    const ColorStop stop = piece.stops.front();
    piece.stops = {{stop.color, PositionFor(stop.position, from)},
                   {stop.color, PositionFor(stop.position, to)}};
    piece.inside = {StopSegment{}};
    if (last) {
        pieces[marker - 1].after = {};
    } else {
        piece.after = {};
    }
    Apply(Joined(gradient_, pieces));
}

StopsBar::MarkerFacts StopsBar::SpokenFacts(std::size_t marker) const {
    const StopMarker& stop = markers_[marker];
    MarkerFacts facts{ColorToHex(ToColorValue(stop.color), true), PercentText(stop.place), {}, {}};
    if (stop.IsBand()) {
        facts.bandEnd = PercentText(stop.bandEnd);
    }
    if (!IsOpaque(stop.color)) {
        facts.opacity = PercentText(stop.color.alpha);
    }
    return facts;
}

}  // namespace tonzug
