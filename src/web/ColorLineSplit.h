#pragma once

#include <cstddef>
#include <functional>
#include <limits>
#include <optional>
#include <vector>

#include "color/CssColor.h"
#include "render/FreeColorLine.h"
#include "render/FreeGradient.h"

// A colour line written for a format that blends otherwise (CSS, GIMP): each segment the
// format cannot draw itself is split into straight pieces that it draws within half a
// level of the line.
namespace tonzug {

// Where colours are compared: the CSS gamut mapping stops its search anywhere within a
// just noticeable window, so two colours a hair apart outside sRGB may map a level apart.
enum class ShownStage { kBeforeGamutMapping, kAfterGamutMapping };

// How far apart two colours show, in levels of 0..255: the largest difference over any
// backdrop of either colour laid over it, alpha counted as a channel too. Straight
// channels of a transparent colour do not show, so they do not count.
double ShownDifference(const CssColor& a, const CssColor& b, ShownStage stage);

// How an output format draws the colour between two of its stops.
struct PieceDrawing {
    // The colour the format writes for a colour of the line.
    std::function<CssColor(const CssColor&)> written;
    // Its blend from one written colour to the next, for t 0..1, made once and sampled often.
    std::function<std::function<CssColor(double)>(const CssColor& from, const CssColor& to)> blend;
    // Whether it eases a whole segment as the colour line does (between the same colours).
    std::function<bool(const FreeColorLine::Segment&)> easesAlike;
    // Where its colours must show alike: before the mapping too where it blends beyond sRGB
    // as the line does, since the mapping may jump between close colours.
    std::vector<ShownStage> stages;
};

// Stops and segments in order; a piece that starts where the last one ended, in its
// colour, shares that stop, any other starts with a hard stop.
class ColorLineBuilder {
  public:
    // Pieces stop once more than maxStops stops are in.
    explicit ColorLineBuilder(std::size_t maxStops = std::numeric_limits<std::size_t>::max())
        : maxStops_(maxStops) {}

    // A stop, unless the last one is the same.
    void AddStop(double position, const CssColor& color);
    void Add(double from, const CssColor& fromColor, double to, const CssColor& toColor,
             const StopSegment& segment);
    // Straight pieces from `from` to `to` that the drawing draws within half a level of
    // colorAt, each reaching as far as it can; the ends take the colours given (the
    // limits where colorAt jumps there). Colours are the line's, not yet written.
    void AddPieces(const std::function<CssColor(double)>& colorAt, double from,
                   const CssColor& fromColor, double to, const CssColor& toColor,
                   const PieceDrawing& drawing);

    bool TooMany() const { return stops_.size() > maxStops_; }
    std::vector<ColorStop> TakeStops() { return std::move(stops_); }
    std::vector<StopSegment> TakeSegments() { return std::move(segments_); }

  private:
    std::size_t maxStops_;
    std::vector<ColorStop> stops_;
    std::vector<StopSegment> segments_;
};

// A part of the line that becomes 0..1 (GIMP's line), the rest cut off.
struct LineSpan {
    double from = 0.0;
    double to = 1.0;

    friend bool operator==(const LineSpan&, const LineSpan&) = default;
};

struct SplitLine {
    std::vector<ColorStop> stops;  // positions as pure fractions
    std::vector<StopSegment> segments;
};

// The gradient's colour line as the drawing draws it within half a level (at the
// drawing's stages, sampled closely): segments it
// eases alike and draws closely enough kept whole, the others split into straight pieces.
// Without a span the positions stay those of the line, which it keeps whole.
SplitLine SplitColorLine(const FreeGradient& gradient, double lineLength,
                         const PieceDrawing& drawing, std::optional<LineSpan> span = std::nullopt);

}  // namespace tonzug
