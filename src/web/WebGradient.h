#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "render/GradientParams.h"
#include "web/StopFitter.h"

namespace tonzug {

// The gradient lines of CSS and SVG: left to right, top to bottom, or from the centre
// out to the farthest corner.
enum class WebShape { kToRight, kToBottom, kCircle };

// The stops are within half a channel step of every step of the picture.
inline constexpr double kStopTolerance = 0.5 + 1.0 / 1024.0;
// Keeps a CSS declaration below 64 KiB: a stop takes at most 23 characters.
inline constexpr std::size_t kMaxWebStops = 2500;

// A gradient as stops along its axis, found from the ramp the renderer draws (never from
// pixels), so that a browser's or SVG renderer's straight sRGB blend between them shows
// every step of the picture at its full size within the tolerance: a step is sampled at
// the middle of the span of the axis it covers, as a browser samples a pixel at its centre.
// Runs of one colour (bands) end in stops on their edges, and where neighbouring steps jump
// (a band cut off by a section) both colours meet at the edge, so both stay sharp when
// the gradient is drawn at another size.
struct WebGradient {
    WebShape shape = WebShape::kToRight;
    std::int32_t width = 0;
    std::int32_t height = 0;
    // In pixels: the width, the height, or the distance from the centre to a corner.
    double axisLength = 0.0;
    // Positions in pixels along the axis. Empty when the renderer draws no step: the
    // picture stays white.
    std::vector<FittedStop> stops;
    // The tolerance the stops keep: kStopTolerance, unless more than the allowed number of
    // stops would have been needed, when it was widened until they sufficed.
    double tolerance = kStopTolerance;
    // Decimals that place every stop to a thousandth of a pixel, as a percentage.
    int percentDecimals = 0;
};

// The stops of a picture of width x height pixels (at least 1 each).
WebGradient FitWebGradient(const GradientParams& params, std::int32_t width, std::int32_t height,
                           std::size_t maxStops = kMaxWebStops);

// How far the stops' blend lies from the steps, at the centre of each step's span.
FitError MeasureWebGradient(const GradientParams& params, const WebGradient& gradient);

}  // namespace tonzug
