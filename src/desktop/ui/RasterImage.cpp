#include "desktop/ui/RasterImage.h"

#include <memory>

namespace tonzug {
namespace {

constexpr qsizetype kBytesPerPixel = 4;

}  // namespace

QImage ImageOfRaster(const Raster& raster) {
    return QImage(reinterpret_cast<const uchar*>(raster.Pixels().data()), raster.Width(),
                  raster.Height(), static_cast<qsizetype>(raster.Width()) * kBytesPerPixel,
                  QImage::Format_RGB32);
}

std::optional<QImage> ImageOwningRaster(Raster&& raster) {
    auto owned = std::make_unique<Raster>(std::move(raster));
    const QImageCleanupFunction release = [](void* pixels) {
        const std::unique_ptr<Raster> freed(static_cast<Raster*>(pixels));
    };
    QImage image(reinterpret_cast<uchar*>(owned->Row(0)), owned->Width(), owned->Height(),
                 static_cast<qsizetype>(owned->Width()) * kBytesPerPixel, QImage::Format_RGB32,
                 release, owned.get());
    if (image.isNull()) {
        return std::nullopt;  // `owned` still frees the pixels
    }
    owned.release();  // the image's cleanup frees them now
    return image;
}

}  // namespace tonzug
