#pragma once

#include <QAbstractScrollArea>
#include <QImage>
#include <QPoint>
#include <optional>

#include "export/ExportPicture.h"
#include "preview/PreviewPicture.h"
#include "preview/PreviewZoom.h"
#include "render/Raster.h"

namespace tonzug {

// The picture of the large preview (picPrev): fitted to the view at first, shown 1:1 or
// zoomed on demand, scrolled by the scroll bars, the wheel or a drag. Only the part in view
// is rendered, at the zoom it shows, so a picture of any size costs about one view.
class PreviewCanvas : public QAbstractScrollArea {
    Q_OBJECT

  public:
    explicit PreviewCanvas(const GradientPicture& picture, QWidget* parent = nullptr);

    // Device pixels per picture pixel.
    double Zoom() const { return zoom_; }
    bool Fitted() const { return fitted_; }
    const PreviewPicture& Picture() const { return picture_; }

    // The whole picture in view, never enlarged; it stays fitted as the window's size changes.
    void FitToView();
    // One picture pixel per device pixel, the middle of the view kept.
    void ShowOriginal();
    void ZoomInStep();
    void ZoomOutStep();

  signals:
    void zoomChanged(double zoom);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

  private:
    // Changes the zoom keeping the picture point under `anchor` (device pixels in the view).
    void SetZoom(double zoom, QPoint anchor);
    QPoint ViewCentre() const;
    // The fit of the view as it is now: zooming out stops there below the ladder.
    double SmallestZoom() const;
    QPoint DevicePoint(QPointF point) const;
    QSize DeviceViewSize() const;
    void UpdateScrollBars();
    void UpdateCursor();

    PreviewPicture picture_;
    double zoom_ = kOriginalZoom;
    bool fitted_ = true;
    // The last rendered part, shown again while it is still what the view needs.
    Raster raster_;
    QImage shown_;
    ZoomedPart shownPart_;
    // Where a drag started, and the scroll offsets then.
    std::optional<QPoint> dragStart_;
    QPoint dragScroll_;
};

}  // namespace tonzug
