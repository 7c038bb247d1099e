#pragma once

#include <string>

#include "export/SaveResult.h"
#include "render/GradientParams.h"
#include "web/WebGradient.h"

namespace tonzug {

// The stops of the gradient at its full size, for CSS and SVG. Fails as the picture
// exports do for a size that makes no picture.
SaveResult FitFullSize(const GradientParams& params, WebGradient& gradient);

// Writes the gradient as an SVG picture of its full size, completely or not at all; into
// `intoDescriptor` instead when it is an open file (see AtomicFile::OpenInto).
SaveResult ExportSvgPicture(const GradientParams& params, const std::string& path,
                            int intoDescriptor = -1);

}  // namespace tonzug
