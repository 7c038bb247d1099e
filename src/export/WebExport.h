#pragma once

#include <cstddef>
#include <string>

#include "export/ExportPicture.h"
#include "export/SaveResult.h"
#include "render/FreeGradient.h"
#include "render/GradientParams.h"
#include "web/WebGradient.h"

namespace tonzug {

// The stops of the gradient at its full size, for CSS and SVG. Fails as the picture
// exports do for a size that makes no picture.
SaveResult FitFullSize(const GradientParams& params, WebGradient& gradient);

// The free gradient's line at the full size of `sized` (pixels, or 360 for conic), against
// which stops placed in pixels count; fails as FitFullSize does.
SaveResult FullSizeLineLength(const FreeGradient& gradient, const GradientParams& sized,
                              double& lineLength);

// One CSS declaration ("background-image: …;") that a browser draws as the picture: the
// free gradient's own text, or the stops fitted to the classic one at its full size, with
// how many it took and the tolerance they keep.
struct PictureCss {
    std::string declaration;
    std::size_t stops = 0;
    double tolerance = kStopTolerance;
};
SaveResult CssOfPicture(const GradientPicture& picture, PictureCss& css);

// Writes the gradient as an SVG picture of its full size, completely or not at all; into
// `intoDescriptor` instead when it is an open file (see AtomicFile::OpenInto).
SaveResult ExportSvgPicture(const GradientParams& params, const std::string& path,
                            int intoDescriptor = -1);

// Writes a free gradient as an SVG picture of the size that `sized` gives (as ExportSize
// reads it), as ExportSvgPicture does (web/FreeSvg.h).
SaveResult ExportFreeSvgPicture(const FreeGradient& gradient, const GradientParams& sized,
                                const std::string& path, int intoDescriptor = -1);

// Writes a text file completely or not at all (or into `intoDescriptor`, as above).
SaveResult SaveTextFile(const std::string& text, const std::string& path, int intoDescriptor = -1);

// Writes the colour line of a free gradient as a GIMP gradient (.ggr) named after the file,
// split where GIMP's rules cannot draw it exactly (see GimpGradientText).
SaveResult ExportGimpGradient(const FreeGradient& gradient, double lineLength,
                              const std::string& path);

}  // namespace tonzug
