#pragma once

#include <cstdint>
#include <ostream>

#include "export/EncodeStatus.h"
#include "export/ExportPicture.h"
#include "export/PictureKind.h"
#include "render/GradientParams.h"

namespace tonzug {

// Exports the picture as ExportPicture does and copies it to `out` (standard output).
// The encoders write files, and a BMP goes back to its header at the end, so the picture
// is made in a private folder below $TMPDIR (or /tmp) first; that folder is gone before
// the first byte is copied, so neither a failure nor a closed pipe leaves anything behind.
EncodeStatus ExportToStream(const GradientParams& params, PictureKind kind,
                            std::int32_t jpegQuality, const ExportOptions& options,
                            std::ostream& out);

}  // namespace tonzug
