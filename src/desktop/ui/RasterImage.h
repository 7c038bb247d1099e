#pragma once

#include <QImage>
#include <optional>

#include "render/Raster.h"

namespace tonzug {

// A QImage that shows the raster's pixels without a copy: raster words are laid out as
// Format_RGB32. The raster must outlive the image and keep its size meanwhile.
QImage ImageOfRaster(const Raster& raster);

// The raster moves into the image, so a picture as large as memory allows is held
// once, not twice. Empty when the image cannot be made.
std::optional<QImage> ImageOwningRaster(Raster&& raster);

}  // namespace tonzug
