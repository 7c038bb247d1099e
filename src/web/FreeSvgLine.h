#pragma once

#include <cstddef>
#include <vector>

#include "render/FreeColorLine.h"
#include "web/StopFitter.h"

namespace tonzug {

using AlphaChannels = ChannelArray<kAlphaChannels>;
using AlphaStop = FittedStopOf<kAlphaChannels>;

// The colour a free gradient's picture shows at a line position: sRGB after the gamut
// mapping and straight alpha, all four 0..255 and unrounded.
AlphaChannels ShownColor(const FreeColorLine& line, double position);

// The stops of an SVG gradient along the part `from` .. `to` of the line.
struct LineStops {
    // Positions in line units.
    std::vector<AlphaStop> stops;
    // The tolerance the stops keep, per channel: kStopTolerance, unless too many stops
    // would have been needed.
    double tolerance = 0.0;
};

// Fits stops to the colour line between `from` and `to`, sampled `samplesPerUnit` times
// per line unit (at least once per pixel the line crosses) and at both sides of every
// joint, so that an SVG renderer's straight blend of colour and alpha stays within the
// tolerance of every sample. Both ends carry a stop, so the result also serves as one
// period of a repeating line. Stops beyond maxStops widen the tolerance.
LineStops FitLineStops(const FreeColorLine& line, double from, double to, double samplesPerUnit,
                       std::size_t maxStops);

}  // namespace tonzug
