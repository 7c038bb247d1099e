#pragma once

#include <cstdint>
#include <functional>
#include <span>

#include "export/ExportPicture.h"
#include "export/PictureKind.h"
#include "export/SaveResult.h"
#include "render/GradientParams.h"

namespace tonzug {

// Writes all the bytes to standard output; errno of a failure, 0 once every byte is out.
using OutputWriter = std::function<int(std::span<const char> bytes)>;

// Saves a picture at a path with the options given (ExportPicture of a gradient, say).
using PictureSaver = std::function<SaveResult(const std::string& path, const ExportOptions&)>;

// Exports the picture with `save` and copies it to standard output through `write`. The encoders
// write files, and a BMP goes back to its header at the end, so the picture is made in an unnamed
// file in $TMPDIR (or /tmp) first, which vanishes with the process however it ends; where the file
// system has no unnamed files, in a private folder that is gone before the first byte is copied.
SaveResult ExportToStream(const PictureSaver& save, const ExportOptions& options,
                          const OutputWriter& write);

// "cannot write to standard output: REASON".
SaveResult StandardOutputFailure(int error);

}  // namespace tonzug
