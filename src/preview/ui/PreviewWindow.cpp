#include "preview/ui/PreviewWindow.h"

#include <QDialog>
#include <QGuiApplication>
#include <QImage>
#include <QPaintEvent>
#include <QPainter>
#include <QScreen>
#include <cmath>

#include "desktop/ui/RasterImage.h"
#include "preview/PreviewPicture.h"
#include "preview/PreviewPlacement.h"
#include "render/Raster.h"

namespace tonzug {
namespace {

// "Tonzug Voransicht": the gradient at full size, one picture pixel per device pixel,
// centred in the window and cut off evenly where it is larger. Only the part that shows
// is rendered, once per size of the window.
class PreviewView final : public QDialog {
  public:
    PreviewView(QWidget& owner, const GradientPicture& picture)
        : QDialog(&owner), picture_(picture) {
        setWindowTitle(QStringLiteral("Tonzug Voransicht"));
        setObjectName(QStringLiteral("F_TONZUGPRV"));
        // A plain resizable window rather than a dialog frame, so that it can be maximised.
        setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                       Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

  protected:
    void paintEvent(QPaintEvent* event) override {
        QPainter painter(this);
        painter.fillRect(event->rect(), palette().window());
        const qreal ratio = devicePixelRatioF();
        const PixelRect inner{0, 0, std::lround(width() * ratio), std::lround(height() * ratio)};
        const PixelRect placement =
            CenterPreview(inner.width, inner.height, picture_.Width(), picture_.Height());
        const PixelRect part = VisiblePart(placement, inner);
        if (part.Empty()) {
            return;
        }
        if (part != shownPart_ || shown_.isNull()) {
            RenderPart(part, ratio);
        }
        painter.drawImage(QPointF(static_cast<qreal>(placement.left + part.left) / ratio,
                                  static_cast<qreal>(placement.top + part.top) / ratio),
                          shown_);
    }

  private:
    void RenderPart(const PixelRect& part, qreal ratio) {
        shown_ = QImage();
        // White below the gradient, as in the exported file.
        raster_.Reset(static_cast<int>(part.width), static_cast<int>(part.height), kWhite);
        picture_.Render(part, raster_);
        // The image shares the raster's pixels; both live until the next render.
        shown_ = ImageOfRaster(raster_);
        shown_.setDevicePixelRatio(ratio);
        shownPart_ = part;
    }

    PreviewPicture picture_;
    Raster raster_;
    QImage shown_;
    PixelRect shownPart_;
};

}  // namespace

void ShowPreviewWindow(QWidget& owner, const GradientPicture& picture) {
    PreviewView view(owner, picture);
    // Without a window manager a maximised state alone may not size the window.
    if (const QScreen* screen =
            owner.screen() ? owner.screen() : QGuiApplication::primaryScreen()) {
        view.setGeometry(screen->availableGeometry());
    }
    view.setWindowState(view.windowState() | Qt::WindowMaximized);
    view.exec();
}

}  // namespace tonzug
