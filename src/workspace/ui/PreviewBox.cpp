#include "workspace/ui/PreviewBox.h"

#include <QImage>
#include <QPainter>
#include <cmath>
#include <utility>

#include "desktop/ui/RasterImage.h"
#include "export/ExportPicture.h"
#include "render/FreeRenderer.h"
#include "render/Gradient.h"
#include "render/RowsOnEveryCore.h"
#include "workspace/PreviewLayout.h"

namespace tonzug {

PreviewBox::PreviewBox(QWidget* parent) : QWidget(parent) {
    // The raster covers the whole box: nothing behind it needs painting first.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

QSize PreviewBox::DeviceSize() const {
    const qreal ratio = devicePixelRatioF();
    return {static_cast<int>(std::ceil(width() * ratio)),
            static_cast<int>(std::ceil(height() * ratio))};
}

void PreviewBox::Draw(const GradientParams& params, OutputFormat format,
                      std::optional<FreeGradient> free) {
    params_ = params;
    free_ = std::move(free);
    format_ = format;
    Render();
    update();
}

void PreviewBox::Render() {
    const QSize size = DeviceSize();
    if (size.width() != raster_.Width() || size.height() != raster_.Height()) {
        raster_.Reset(size.width(), size.height(), kWhite);
    }
    if (params_ && free_) {
        PictureSize size;
        if (FullPictureSize(*params_, size).Ok()) {
            RenderRowsOnEveryCore(
                FreeRenderer(*free_, size.width, size.height, raster_.Width(), raster_.Height(),
                             PictureAlpha::kOpaque, FreePrecision::kPreview),
                raster_, format_);
        }
    } else if (params_) {
        // As DrawGradient draws it, on every core.
        RenderRowsOnEveryCore(
            GradientRenderer(*params_, raster_.Width(), raster_.Height(), raster_.PenWidth()),
            raster_, format_);
    }
}

void PreviewBox::paintEvent(QPaintEvent* /*event*/) {
    // A new size or display scale since the last drawing: draw again for the new pixels.
    const QSize size = DeviceSize();
    if (size.width() != raster_.Width() || size.height() != raster_.Height()) {
        Render();
    }
    if (raster_.Width() <= 0 || raster_.Height() <= 0) {
        return;
    }
    QImage image = ImageOfRaster(raster_);
    image.setDevicePixelRatio(devicePixelRatioF());
    QPainter painter(this);
    painter.drawImage(QPoint(0, 0), image);
}

void PreviewBox::mouseDoubleClickEvent(QMouseEvent* /*event*/) {
    emit doubleClicked();
}

PreviewContainer::PreviewContainer(int minimumSide, QWidget* parent)
    : QFrame(parent), box_(new PreviewBox(this)) {
    setMinimumSize(minimumSide, minimumSide);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    box_->setObjectName(QStringLiteral("picDisp"));
    box_->setGeometry(0, 0, minimumSide, minimumSide);
}

void PreviewContainer::FitBox(std::string_view widthText, std::string_view heightText) {
    widthText_ = widthText;
    heightText_ = heightText;
    FitBox();
}

void PreviewContainer::FitBox() {
    const QRect current = box_->geometry();
    const PreviewRect fitted =
        LayoutPreviewBox(widthText_, heightText_, width(), height(),
                         {current.x(), current.y(), current.width(), current.height()});
    box_->setGeometry(fitted.left, fitted.top, fitted.width, fitted.height);
}

void PreviewContainer::resizeEvent(QResizeEvent* event) {
    QFrame::resizeEvent(event);
    FitBox();
}

}  // namespace tonzug
