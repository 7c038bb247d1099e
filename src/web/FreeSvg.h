#pragma once

#include <cstdint>
#include <string>

#include "render/FreeGradient.h"

namespace tonzug {

// A complete SVG picture of width x height pixels (at least 1 each) showing the free
// gradient as the exported picture shows it, transparency included. Linear and radial
// gradients become one linearGradient or radialGradient (an ellipse by its transform) in
// user space, with stops fitted to the colour line (web/FreeSvgLine.h) and
// spreadMethod="repeat" for repeating ones; conic ones a fan of one-coloured wedges
// (web/ConicWedges.h).
std::string FreeSvgPicture(const FreeGradient& gradient, std::int32_t width, std::int32_t height);

}  // namespace tonzug
