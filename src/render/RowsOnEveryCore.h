#pragma once

#include "render/OutputFormat.h"
#include "render/PictureRenderer.h"
#include "render/Raster.h"

namespace tonzug {

// Paints the whole picture into `surface` as renderer.RenderRows(0, surface, format) does,
// pixel for pixel, but in pieces of rows on every core. Small surfaces, where starting a
// thread costs more than it saves, are painted on the calling thread.
void RenderRowsOnEveryCore(const PictureRenderer& renderer, Raster& surface,
                           OutputFormat format = OutputFormat::kPlain8);

}  // namespace tonzug
