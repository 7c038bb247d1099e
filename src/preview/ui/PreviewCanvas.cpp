#include "preview/ui/PreviewCanvas.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>
#include <cmath>

#include "desktop/ui/RasterImage.h"

namespace tonzug {
namespace {

// One wheel notch (in eighths of a degree) zooms one step.
constexpr int kWheelNotch = 120;
constexpr int kLinesPerScrollStep = 3;

bool SamePart(const ZoomedPart& a, const ZoomedPart& b) {
    return a.surfaceWidth == b.surfaceWidth && a.surfaceHeight == b.surfaceHeight &&
           a.part == b.part;
}

}  // namespace

PreviewCanvas::PreviewCanvas(const GradientPicture& picture, QWidget* parent)
    : QAbstractScrollArea(parent), picture_(picture) {
    setObjectName(QStringLiteral("picPrev"));
    setAccessibleName(tr("Voransicht"));
    setFrameShape(QFrame::NoFrame);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    viewport()->setToolTip(
        tr("Mausrad: rollen, Strg+Mausrad: zoomen, Ziehen: verschieben, "
           "Doppelklick: einpassen oder Originalgröße, Esc: schließen"));
    setFocusPolicy(Qt::StrongFocus);
    connect(horizontalScrollBar(), &QScrollBar::valueChanged, viewport(),
            qOverload<>(&QWidget::update));
    connect(verticalScrollBar(), &QScrollBar::valueChanged, viewport(),
            qOverload<>(&QWidget::update));
}

QSize PreviewCanvas::DeviceViewSize() const {
    const qreal ratio = devicePixelRatioF();
    return {static_cast<int>(std::lround(viewport()->width() * ratio)),
            static_cast<int>(std::lround(viewport()->height() * ratio))};
}

QPoint PreviewCanvas::DevicePoint(QPointF point) const {
    const qreal ratio = devicePixelRatioF();
    return {static_cast<int>(std::lround(point.x() * ratio)),
            static_cast<int>(std::lround(point.y() * ratio))};
}

QPoint PreviewCanvas::ViewCentre() const {
    const QSize view = DeviceViewSize();
    return {view.width() / 2, view.height() / 2};
}

void PreviewCanvas::FitToView() {
    // The scroll bars go with the fit, so it is taken of the whole area.
    const qreal ratio = devicePixelRatioF();
    const QSize area = maximumViewportSize();
    const double fit =
        FitZoom(std::lround(area.width() * ratio), std::lround(area.height() * ratio),
                picture_.Width(), picture_.Height());
    SetZoom(fit, ViewCentre());
    fitted_ = true;
}

void PreviewCanvas::ShowOriginal() {
    SetZoom(kOriginalZoom, ViewCentre());
}

void PreviewCanvas::ZoomInStep() {
    SetZoom(ZoomIn(zoom_), ViewCentre());
}

void PreviewCanvas::ZoomOutStep() {
    SetZoom(ZoomOut(zoom_, SmallestZoom()), ViewCentre());
}

double PreviewCanvas::SmallestZoom() const {
    const QSize view = DeviceViewSize();
    return FitZoom(view.width(), view.height(), picture_.Width(), picture_.Height());
}

void PreviewCanvas::SetZoom(double zoom, QPoint anchor) {
    const QSize view = DeviceViewSize();
    const std::int64_t oldWidth = ZoomedLength(picture_.Width(), zoom_);
    const std::int64_t oldHeight = ZoomedLength(picture_.Height(), zoom_);
    const std::int64_t newWidth = ZoomedLength(picture_.Width(), zoom);
    const std::int64_t newHeight = ZoomedLength(picture_.Height(), zoom);
    const std::int64_t scrollX = ScrollKeepingPoint(view.width(), anchor.x(), oldWidth,
                                                    horizontalScrollBar()->value(), newWidth);
    const std::int64_t scrollY = ScrollKeepingPoint(view.height(), anchor.y(), oldHeight,
                                                    verticalScrollBar()->value(), newHeight);
    zoom_ = zoom;
    fitted_ = false;
    UpdateScrollBars();
    // The view may have changed with the scroll bars: the offsets are kept within it.
    horizontalScrollBar()->setValue(static_cast<int>(scrollX));
    verticalScrollBar()->setValue(static_cast<int>(scrollY));
    UpdateCursor();
    viewport()->update();
    emit zoomChanged(zoom_);
}

void PreviewCanvas::UpdateScrollBars() {
    const QSize view = DeviceViewSize();
    const std::int64_t width = ZoomedLength(picture_.Width(), zoom_);
    const std::int64_t height = ZoomedLength(picture_.Height(), zoom_);
    const int step = kLinesPerScrollStep * fontMetrics().height();
    horizontalScrollBar()->setRange(0, static_cast<int>(MaxScroll(view.width(), width)));
    horizontalScrollBar()->setPageStep(view.width());
    horizontalScrollBar()->setSingleStep(step);
    verticalScrollBar()->setRange(0, static_cast<int>(MaxScroll(view.height(), height)));
    verticalScrollBar()->setPageStep(view.height());
    verticalScrollBar()->setSingleStep(step);
}

void PreviewCanvas::UpdateCursor() {
    const bool movable = horizontalScrollBar()->maximum() > 0 || verticalScrollBar()->maximum() > 0;
    viewport()->setCursor(!movable     ? Qt::ArrowCursor
                          : dragStart_ ? Qt::ClosedHandCursor
                                       : Qt::OpenHandCursor);
}

void PreviewCanvas::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    if (fitted_) {
        FitToView();
    } else {
        UpdateScrollBars();
        UpdateCursor();
    }
}

void PreviewCanvas::paintEvent(QPaintEvent* event) {
    QPainter painter(viewport());
    painter.fillRect(event->rect(), palette().window());
    const QSize view = DeviceViewSize();
    const std::int64_t width = ZoomedLength(picture_.Width(), zoom_);
    const std::int64_t height = ZoomedLength(picture_.Height(), zoom_);
    const PixelRect placement{ZoomedStart(view.width(), width, horizontalScrollBar()->value()),
                              ZoomedStart(view.height(), height, verticalScrollBar()->value()),
                              width, height};
    const ZoomedPart drawn = PartToRender(picture_.Width(), picture_.Height(), placement,
                                          {0, 0, view.width(), view.height()});
    if (drawn.part.Empty()) {
        return;
    }
    if (shown_.isNull() || !SamePart(drawn, shownPart_)) {
        shown_ = QImage();
        // White below the gradient, as in the exported file.
        raster_.Reset(static_cast<int>(drawn.part.width), static_cast<int>(drawn.part.height),
                      kWhite);
        picture_.RenderOnSurface(drawn.surfaceWidth, drawn.surfaceHeight, drawn.part, raster_);
        // The image shares the raster's pixels; both live until the next render.
        shown_ = ImageOfRaster(raster_);
        shownPart_ = drawn;
    }
    const qreal ratio = devicePixelRatioF();
    // Enlarged pixels stay sharp squares.
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.drawImage(QRectF(drawn.targetLeft / ratio, drawn.targetTop / ratio,
                             static_cast<double>(drawn.part.width) * drawn.scaleX / ratio,
                             static_cast<double>(drawn.part.height) * drawn.scaleY / ratio),
                      shown_);
}

void PreviewCanvas::wheelEvent(QWheelEvent* event) {
    if (!(event->modifiers() & Qt::ControlModifier)) {
        QAbstractScrollArea::wheelEvent(event);
        return;
    }
    const int notches = event->angleDelta().y() / kWheelNotch;
    const QPoint anchor = DevicePoint(event->position());
    double zoom = zoom_;
    for (int notch = 0; notch < std::abs(notches); ++notch) {
        zoom = notches > 0 ? ZoomIn(zoom) : ZoomOut(zoom, SmallestZoom());
    }
    if (zoom != zoom_) {
        SetZoom(zoom, anchor);
    }
    event->accept();
}

void PreviewCanvas::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QAbstractScrollArea::mousePressEvent(event);
        return;
    }
    dragStart_ = event->position().toPoint();
    dragScroll_ = {horizontalScrollBar()->value(), verticalScrollBar()->value()};
    UpdateCursor();
}

void PreviewCanvas::mouseMoveEvent(QMouseEvent* event) {
    if (!dragStart_) {
        return;
    }
    const QPoint moved = DevicePoint(event->position() - QPointF(*dragStart_));
    horizontalScrollBar()->setValue(dragScroll_.x() - moved.x());
    verticalScrollBar()->setValue(dragScroll_.y() - moved.y());
}

void PreviewCanvas::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        dragStart_.reset();
        UpdateCursor();
    }
}

void PreviewCanvas::mouseDoubleClickEvent(QMouseEvent* event) {
    if (fitted_ && zoom_ < kOriginalZoom) {
        SetZoom(kOriginalZoom, DevicePoint(event->position()));
    } else {
        FitToView();
    }
}

}  // namespace tonzug
