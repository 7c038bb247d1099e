#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "color/CssColor.h"
#include "render/FreeGradient.h"
#include "workspace/ParameterForm.h"

// The stops bar under the preview: the colour line of the gradient the window edits, with a
// marker for every stop and a diamond for every hint, and the edits made on them. Places are
// fractions of the gradient line, 0 at its start and 1 at its end.
namespace tonzug {

struct StopMarker {
    // The stops it stands for: one, or two of one colour (a band).
    std::size_t firstStop = 0;
    std::size_t lastStop = 0;
    double place = 0.0;
    double bandEnd = 0.0;  // the band's second place; `place` without a band
    CssColor color;

    bool IsBand() const { return lastStop != firstStop; }
};

struct HintDiamond {
    std::size_t segment = 0;  // of FreeGradient::segments
    double place = 0.0;
};

// How a dragged place is rounded: to a thousandth of the bar, or to whole percent (Shift).
enum class PlaceSnap { kFine, kPercent };

class StopsBar {
  public:
    explicit StopsBar(ParameterForm& form) : form_(form) {}

    // Reads the form's gradient anew; every operation below works on what was read last
    // and writes its result into the form (ApplyEditedGradient).
    void Refresh();

    const FreeGradient& Gradient() const { return gradient_; }
    const std::vector<StopMarker>& Markers() const { return markers_; }
    const std::vector<HintDiamond>& Hints() const { return hints_; }
    // The gradient line in pixels (degrees for a conic gradient).
    double LineLength() const { return lineLength_; }
    // The colour at a place (straight alpha, before any gamut mapping).
    CssColor ColorAt(double place) const;
    // The colours at the centres of `count` equal pieces of the line, for painting it.
    std::vector<CssColor> ColorsAlong(int count) const;
    // The segment between marker `marker` and the next one.
    std::size_t SegmentAfter(std::size_t marker) const { return markers_[marker].lastStop; }

    // A stop of the colour found there; the index of its marker.
    std::size_t AddStop(double place);
    // The marker's (first) place; its band moves along. A marker passing another changes
    // places with it. The marker's index after the move.
    std::size_t MoveMarker(std::size_t marker, double place, PlaceSnap snap);
    std::size_t NudgeMarker(std::size_t marker, double pixels);
    // False, with nothing changed, where fewer than two markers would be left.
    bool RemoveMarker(std::size_t marker);
    void SetMarkerColor(std::size_t marker, const CssColor& color);
    void MoveHint(std::size_t segment, double place);
    void SetEasing(std::size_t segment, Easing easing);
    // The marker's colour holds up to the next marker (the last one's from the one before),
    // where the colour jumps: a band between the two places.
    void MakeHardBand(std::size_t marker);

    // What a screen reader says of a marker, as the window words it ("Stopp 2 von 4, #FF8000,
    // 40 %"): the colour and places as text in the user's number format; a band's end and a
    // transparent colour's opacity only where there are any.
    struct MarkerFacts {
        std::string color;
        std::string place;
        std::optional<std::string> bandEnd;
        std::optional<std::string> opacity;
    };
    MarkerFacts SpokenFacts(std::size_t marker) const;

  private:
    void Apply(const FreeGradient& gradient);
    std::size_t MoveTo(std::size_t marker, double place);
    LinePosition PositionFor(const std::optional<LinePosition>& like, double place) const;

    ParameterForm& form_;
    FreeGradient gradient_;
    double lineLength_ = 1.0;
    std::vector<StopMarker> markers_;
    std::vector<HintDiamond> hints_;
};

}  // namespace tonzug
