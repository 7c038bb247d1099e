#pragma once

#include "render/GradientParams.h"
#include "render/Raster.h"

// Reference drawing for the tests: every step of a gradient drawn one by one with the
// reference's own box and ring coverage, in the original order, each painting over the
// one before. Slow on purpose; the production renderer must match it pixel for pixel.
namespace tonzug::reference {

void DrawGradient(Raster& surface, const GradientParams& params);

}  // namespace tonzug::reference
