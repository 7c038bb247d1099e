#pragma once

#include <optional>

#include "export/ExportPicture.h"
#include "export/SaveResult.h"
#include "render/FreeGradient.h"
#include "render/GradientParams.h"
#include "workspace/ParameterForm.h"

namespace tonzug {

// The gradient as the export and the preview window read it: straight from the fields
// at this moment, without the preview's clamps, the middle switch applied as in the preview.
GradientParams ReadExportParams(const ParameterForm& form);

// The free gradient the form holds ("GRADIENT", eased as "EASING" says); none for the
// classic one.
std::optional<FreeGradient> ReadFreeGradient(const ParameterForm& form);

// The picture the form describes: its classic gradient, or its free one at its size.
GradientPicture ReadExportPicture(const ParameterForm& form);

// The colour depth chosen for saved pictures ("Farbtiefe", "Dithering").
ColorDepthChoice ReadColorDepth(const ParameterForm& form);

// Refuses a width or height that the export cannot take exactly (above kMaxPictureSide) with
// a message that names the size as typed: as a float, 99999999 would read as 100000000.
SaveResult CheckTypedSize(const ParameterForm& form);

}  // namespace tonzug
