#pragma once

#include <cstdint>
#include <string>

#include "render/FreeColorLine.h"
#include "render/FreeShapes.h"

namespace tonzug {

// SVG has no conic gradient. It is drawn as a fan of wedges around the centre, one for
// each run of angles over which the picture shows one colour (rounded as the picture
// rounds it), with edges where that colour changes, and without anti-aliasing, so that
// each pixel takes the wedge its centre lies in, as the picture takes the colour at its
// centre. At its size the SVG shows the picture's pixels; enlarged, the one-level steps
// and hard edges show as they would in the enlarged picture.
std::string ConicWedges(const FreePlacement& placement, const FreeColorLine& line,
                        std::int32_t width, std::int32_t height);

}  // namespace tonzug
